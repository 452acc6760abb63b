// What the forms of the network, graph and check windows share: the Time and Final fields as the
// runs' text targets, the test commands of the core (CTestSeries) wired to the form's refresh,
// field acceptance on focus loss with its "Error" box, the busy guard, the link that repaints the
// drawing at every improvement, and the frame sizing. Each kind's form adds its own fields and
// buttons and states only what differs.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "document/Series.h"
#include "solver/Platform.h"
#include "windows/QtPlatform.h"
#include "windows/TestForm.h"

class QAbstractButton;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class CFormViewBase : public CTestForm {
    Q_OBJECT
public:
    explicit CFormViewBase(CMainDoc& doc, QWidget* parent = nullptr);
    ~CFormViewBase() override;

    // Accept fields: moves what the user typed into the document (kind-specific steps).
    void CommitFields() override { AcceptFields(); }

    CTestSeries& Series() { return *m_pSeries; }
    QLineEdit* TimeField() const { return m_pTime; }
    QLineEdit* FinalField() const { return m_pFinal; }
    ITextTarget& TimeTarget() { return *m_pTimeTarget; }
    ITextTarget& FinalTarget() { return *m_pFinalTarget; }

    // A method is running (the user clicked during its message polling): commands do nothing.
    bool Busy() const;
    // The button of a command made by AddCommand, by its caption ("E&xp. Method" ...).
    QPushButton* CommandButton(const QString& caption) const;

protected:
    // Kind-specific acceptance of every field, in the kind's order; called on focus loss and on
    // the check boxes.
    virtual void AcceptFields() = 0;
    // The form's part of a refresh (Initial cycle field and the like); the drawing is redrawn
    // afterwards by the base.
    virtual void RefreshForm(int reset) = 0;

    // Creates the read-only Time and Final fields (the core's text targets) and the test commands.
    void CreateResultFields(QLineEdit* time, QLineEdit* final);
    // A caption label with its field as buddy (the field's accessible name is the caption).
    QLabel* Caption(const QString& text, QWidget* field);
    // The row of number fields, each under its caption label, aligned at their bottoms.
    QHBoxLayout* CaptionedRow(std::initializer_list<std::pair<const char*, QLineEdit*>> fields);
    // Accept fields when the edit loses the focus.
    void AcceptOnFocusLoss(QLineEdit* edit);
    // Accept fields when the check box is clicked.
    void AcceptOnClick(QAbstractButton* box);
    // Runs the command unless a method is running.
    template <typename F>
    void Guarded(F&& command) {
        if (!Busy()) command();
    }
    // A command button whose click runs the command unless a method is running.
    QPushButton* AddCommand(const QString& caption, std::function<void()> command);
    // The form's fields that take typing now.
    QList<QLineEdit*> EditableFields() const;
    // The form's buttons, made by AddCommand, in rows of `columns`.
    QGridLayout* CommandGrid(std::initializer_list<std::pair<const char*, std::function<void()>>> commands,
                             int columns);
    // Fields with their captions on their left, one row each.
    QGridLayout* CaptionedFields(std::initializer_list<std::pair<QString, QWidget*>> rows);
    // The shared steps of Accept fields. Each returns -1 when the text was refused (the field has
    // its old text back and the user was told), 0 when it did not change, 1 when it was taken.
    // Nodes from 4 to maxNodes: the solver is resized and a new random problem made.
    int AcceptNodes(QLineEdit* edit, int maxNodes);
    // A typed cycle, compared with `accepted` (the last text parsed successfully): the parser
    // makes it the current and initial cycle and the form is refreshed with reset.
    // Shows the current cycle's text in the cycle field and takes it as the field's accepted text.
    void ShowCurrentCycle(QLineEdit* edit, std::string& accepted);
    int AcceptCycleText(QLineEdit* edit, std::string& accepted);
    // The form's own "Error" box.
    static void ErrorBox(const QString& text);
    // Puts the text back into the field.
    static void PutBack(QLineEdit* edit, const std::string& text);
    // Tells the drawing to redraw (the framework's update of the other views).
    void UpdateDrawing();
    // Maximizes the frame (narrow screen) or gives it the kind's size: wide enough for the right
    // edge of `lastField` plus 30 pixels and high enough for its bottom edge plus a margin. The
    // size is computed for the first window of a kind and reused for every later one.
    void SizeFrame(QWidget* lastField);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Repaints the drawing at once when a running method finds a better cycle.
    class CDrawingLink : public IOwnerView {
    public:
        explicit CDrawingLink(CFormViewBase& form) : m_form(form) {}
        std::string RandStartsText() const override;
        int TestsSoFar() const override;
        uint32_t SeriesStartMs() const override;
        uint32_t CampaignStartMs() const override;
        void RedrawNow(EDrawingPane pane) override;

    private:
        CFormViewBase& m_form;
    };

    QLineEdit* m_pTime = nullptr;
    QLineEdit* m_pFinal = nullptr;
    std::unique_ptr<QtLineEditTarget> m_pTimeTarget;
    std::unique_ptr<QtLineEditTarget> m_pFinalTarget;
    std::unique_ptr<CTestSeries> m_pSeries;
    CDrawingLink m_link{*this};
    QList<QPushButton*> m_commands;
    bool m_bAccepting = false;  // acceptance is running (its boxes move the focus)
};
