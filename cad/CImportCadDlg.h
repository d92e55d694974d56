#pragma once
#include <QDialog>

#include <string>
#include <vector>

class KeyValueStore;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class UiPrompt;

// "提取CAD管网" (dialog 194): where the drawing comes from, the connection tolerance, the scale
// pair, which entities and layers to take, and whether to split pipes at tees. Settings live in
// the section "ImportCadDlg": read when the dialog opens, written on OK.
class CImportCadDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* Section = "ImportCadDlg";

    // `cadRunning`: a CAD session with drawings is open; without one, only opening a file works.
    CImportCadDlg(KeyValueStore& profile, UiPrompt& prompt, bool cadRunning, QWidget* parent = nullptr);

    int OpenMode() const { return m_openMode; }
    QString DrawingPath() const;
    double MinDist() const { return m_minDist; }
    double ScaleCad() const { return m_scaleCad; }
    double ScaleQen() const { return m_scaleQen; }
    int Flags() const { return (m_incLine ? 1 : 0) | (m_incPline ? 2 : 0); }
    bool SearchAllLayers() const { return m_searchAll; }
    // GBK layer names (characters GBK lacks as \U+XXXX); empty when all layers are searched.
    const std::vector<std::string>& Layers() const { return m_layers; }
    bool SplitAtTees() const { return m_splitAtTees; }

    // Controls by their resource numbers, for tests.
    QRadioButton* ActiveRadio() const { return m_active; }
    QRadioButton* OpenRadio() const { return m_open; }
    QLineEdit* PathEdit() const { return m_path; }
    QLineEdit* MinDistEdit() const { return m_minDistEdit; }
    QLineEdit* ScaleCadEdit() const { return m_scaleCadEdit; }
    QLineEdit* ScaleQenEdit() const { return m_scaleQenEdit; }
    QCheckBox* AllLayersCheck() const { return m_allLayers; }
    QLineEdit* LayerEdit() const { return m_layerEdit; }
    QCheckBox* SplitCheck() const { return m_split; }
    // The drawing's layers as it has them; choosing some fills the layer field.
    QListWidget* LayerList() const { return m_layerList; }
    // Reads the layer names of the drawing the dialog points at (the active one, or the file).
    void RefreshLayers();

    void accept() override;

private:
    void Load();
    void Save();
    void UpdateControls();
    void Browse();
    bool ReadNumber(QLineEdit* edit, double atLeast, double& value);
    void LayersChosen();

    KeyValueStore& m_profile;
    UiPrompt& m_prompt;
    bool m_cadRunning;
    int m_openMode = 0;
    std::string m_pathGbk;
    double m_minDist = 0.0;
    double m_scaleCad = 1.0;
    double m_scaleQen = 1.0;
    bool m_incLine = true;
    bool m_incPline = true;
    bool m_searchAll = true;
    std::string m_layerText;
    std::vector<std::string> m_layers;
    bool m_splitAtTees = false;

    QRadioButton* m_active;
    QRadioButton* m_open;
    QLineEdit* m_path;
    QPushButton* m_browse;
    QLineEdit* m_minDistEdit;
    QLineEdit* m_scaleCadEdit;
    QLineEdit* m_scaleQenEdit;
    QCheckBox* m_line;
    QCheckBox* m_pline;
    QCheckBox* m_allLayers;
    QLineEdit* m_layerEdit;
    QListWidget* m_layerList;
    QCheckBox* m_split;
};
