#pragma once
#include <QDialog>

#include <vector>

class COptionPage;
class Prompt;
class QTabWidget;
class ZDrawSettings;
class ZSettingsStore;

// "选项": the display settings of the program and the colour grading of the active document, on
// seven pages, the balancing summary's page and the recovery page. Leaving a page checks its
// fields; OK checks every page, then every page writes its values; Cancel writes nothing.
class COptionSheet : public QDialog {
    Q_OBJECT
public:
    COptionSheet(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    QTabWidget* Tabs() const { return m_tabs; }
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    COptionPage* Page(int i) const { return m_pages[static_cast<size_t>(i)]; }
    template <class T>
    T* PageOf() const
    {
        for (COptionPage* p : m_pages)
            if (auto* t = qobject_cast<T*>(p))
                return t;
        return nullptr;
    }

    // After OK: whether the document's node or pipe grading changed (the document is modified).
    bool GradingChanged() const { return m_gradingChanged; }

public slots:
    void accept() override;

private:
    void OnTabChanged(int index);

    ZDrawSettings& m_draw;
    QTabWidget* m_tabs;
    std::vector<COptionPage*> m_pages;
    int m_current = 0;
    bool m_gradingChanged = false;
};
