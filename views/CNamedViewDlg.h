#pragma once
#include "model/ViewExtent.h"
#include "model/ZNamedView.h"

#include <QDialog>

#include <vector>

class Prompt;
class QLineEdit;
class QListWidget;
class QPushButton;

// "定义视图": adds, updates and deletes the document's named views. Opens with the rectangle the
// view shows; names are unique within the list, letter case aside.
class CNamedViewDlg : public QDialog {
    Q_OBJECT
public:
    CNamedViewDlg(std::vector<ZNamedView>& views, const ViewExtent& shown, Prompt* prompt, QWidget* parent = nullptr);

    bool Changed() const { return m_changed; }

    // The buttons, as a click runs them (tests call them directly).
    bool Add();
    bool Update();
    void Delete();

    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* RectEdit(int i) const { return m_rect[i]; }   // left, top, right, bottom
    QListWidget* List() const { return m_list; }

private:
    void OnSelection();
    void UpdateButtons();
    // The edits as a named view; false (with the message shown) when they are refused.
    bool ReadEdits(ZNamedView& out, int exceptRow);
    void Refuse(const QString& text, QWidget* focus);

    std::vector<ZNamedView>& m_views;
    Prompt* m_prompt;
    QLineEdit* m_name;
    QLineEdit* m_rect[4];
    QListWidget* m_list;
    QPushButton* m_delete;
    QPushButton* m_update;
    bool m_changed = false;
};
