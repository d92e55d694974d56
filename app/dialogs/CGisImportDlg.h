#pragma once
#include "gis/ZGisImport.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

// "来自GIS数据" options: which layers give pipes and nodes, the joining tolerance, a projection for
// layers in degrees, the user's attribute choices and tee splitting. OK checks the typed numbers
// and choices and says which one it refuses.
class CGisImportDlg : public QDialog {
    Q_OBJECT
public:
    CGisImportDlg(const std::vector<ZGisImport::Layer>& layers, QWidget* parent = nullptr);
    ZGisImport::Options Options() const { return m_options; }

    void accept() override;

private:
    QComboBox* m_pipes;
    QComboBox* m_nodes;
    QLineEdit* m_tolerance;
    QLineEdit* m_epsg;
    QLineEdit* m_map;
    QCheckBox* m_split;
    ZGisImport::Options m_options;
};
