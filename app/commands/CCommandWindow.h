#pragma once

class CQENDoc;
class CReportWindow;
class QWidget;

// The window the calculation commands act in (the main frame): the document they work on, where
// they report and what their dialogs belong to.
class CCommandWindow {
public:
    virtual ~CCommandWindow() = default;
    virtual CQENDoc* ActiveDocument() const = 0;
    virtual CReportWindow& ReportWindow() = 0;
    virtual QWidget* DialogOwner() = 0;
};
