#pragma once
#include <QCoreApplication>
#include <QString>

#include <string>

class QTranslator;

// Messages the Qt-free core (model, persist, hydraulics) makes in Chinese, shown in the interface's
// language. The core and qen-cli keep their Chinese texts; under the English interface each line of
// such a message is matched against the core's known texts (CCoreText.cpp lists them, their variable
// parts as %1, %2...) and replaced by its translation, the variable parts translated in turn when
// they are core texts themselves. Lines it does not know stay as they are. The calculation report's
// texts (CoreReportTexts.cpp) are looked up whole, their parts filled in by the report itself.
class CCoreText {
    Q_DECLARE_TR_FUNCTIONS(CCoreText)

public:
    static QString Tr(const std::string& utf8);
    static QString Tr(const QString& text);
    // For the paths that hand std::string on (message boxes).
    static std::string TrStd(const std::string& utf8);

    // One line, no line breaks; `depth` stops the translation of parts within parts.
    static QString Line(const QString& line, int depth = 0);

    // A program without a Qt application (qen-cli) looks the texts up in `translator` instead of
    // the application's; null goes back to the application's.
    static void UseTranslator(const QTranslator* translator);

private:
    static QString Lookup(const char* source);
};
