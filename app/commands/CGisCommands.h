#pragma once
#include <QCoreApplication>
#include <QString>

class CDocumentHost;
class CQENDoc;
class UiPrompt;

// The GIS commands on a document: 文件 › 引入 › 来自GIS数据 (pipes and nodes into the document, one
// undoable step), 文件 › 引出 › 到GIS数据 (GeoPackage, Shapefile or GeoJSON, with the results when
// the network is balanced) and 工具 › 从地形取高程 (node elevations from a terrain raster, one
// undoable step). Each asks for its file, tells failures through the prompt and writes what it
// did to the report window.
class CGisCommands {
    Q_DECLARE_TR_FUNCTIONS(CGisCommands)

public:
    CGisCommands(CQENDoc& doc, UiPrompt& prompt, CDocumentHost* host) : m_doc(doc), m_prompt(prompt), m_host(host) {}

    void Import();
    void Export();
    void Elevations();

    // The work after the questions, for the dialogs' tests and scripted use.
    bool ImportFrom(const QString& path);
    bool ExportTo(const QString& path);
    bool ElevationsFrom(const QString& path, bool onlyMissing);

private:
    QWidget* Owner() const;
    void Report(const QString& title, const QString& text);

    CQENDoc& m_doc;
    UiPrompt& m_prompt;
    CDocumentHost* m_host;
};
