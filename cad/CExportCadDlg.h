#pragma once
#include "edit/ZCadExport.h"

#include <QDialog>

class KeyValueStore;
class QCheckBox;
class QLabel;
class ZNetwork;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UiPrompt;

// "生成CAD图纸" (dialog 203): into the active drawing or a new one written to a file, the scale
// pair, the four layers and the symbol and text sizes, with the sizes that read on paper at the
// chosen scale. Settings live in the section "ExportAcadDlg": read when the dialog opens, written
// on OK.
class CExportCadDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* Section = "ExportAcadDlg";

    // `net`, when given, lets the dialog say which sizes read on paper at the chosen scale.
    CExportCadDlg(KeyValueStore& profile, UiPrompt& prompt, bool cadRunning, QWidget* parent = nullptr,
                  const ZNetwork* net = nullptr);

    int SaveMode() const { return m_saveMode; }
    QString DrawingPath() const;
    bool OpenInViewer() const { return m_openInViewer; }
    // Scales, sizes and GBK layer names as chosen.
    const ZCadExport::Options& Options() const { return m_options; }

    QRadioButton* ActiveRadio() const { return m_active; }
    QRadioButton* NewRadio() const { return m_new; }
    QLineEdit* PathEdit() const { return m_path; }
    QLineEdit* Edit(const char* key) const;
    QLabel* SizeHint() const { return m_sizeHint; }
    QPushButton* UseSizesButton() const { return m_useSizes; }

    void accept() override;

private:
    void Load();
    void Save();
    void UpdateControls();
    void Browse();
    // The sizes that read on an A1 sheet holding the network at the scale in the edits.
    bool Suggested(ZCadExport::Options& sizes) const;
    void UpdateSizeHint();
    void UseSuggestedSizes();

    KeyValueStore& m_profile;
    UiPrompt& m_prompt;
    bool m_cadRunning;
    int m_saveMode = 0;
    std::string m_pathGbk;
    bool m_openInViewer = true;
    ZCadExport::Options m_options;

    QRadioButton* m_active;
    QRadioButton* m_new;
    QLineEdit* m_path;
    QPushButton* m_browse;
    QCheckBox* m_viewer;
    const ZNetwork* m_net;
    QLabel* m_sizeHint;
    QPushButton* m_useSizes;
    // Edits by settings key: ScaleCad, ScaleQen, NodeLayer, PipeLayer, LabelLayer, OtherLayer,
    // ArrowSize, LabelSize, NodeSize, DevSize.
    std::vector<std::pair<const char*, QLineEdit*>> m_edits;
};
