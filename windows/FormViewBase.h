// What the forms of the network, graph and check windows share: the Time and Final fields as the
// runs' text targets, the test commands of the core (CTestSeries) wired to the form's refresh, the
// fields bound to the core's acceptance (CFormFields: Accept fields on focus loss, the initial
// update, the update from the document), the busy guard, the link that repaints the drawing at
// every improvement, and the frame sizing. Each kind's form binds its own fields and buttons.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "document/FieldAcceptance.h"
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

    // Accept fields: moves what the user typed into the document (the core's steps for the kind).
    void CommitFields() override { AcceptFields(); }
    void AcceptFields();
    // The initial update of the kind's form (the core's step), then the frame's size.
    void OnInitialUpdate() override;
    // The document changed: its texts and flags into the bound fields.
    void UpdateFromDocument();

    CTestSeries& Series() { return *m_pSeries; }
    CFormFields& Fields() { return *m_pFields; }
    bool ParseFailed() const { return m_pFields->m_bParseFailed; }
    QLineEdit* TimeField() const { return m_pTime; }
    QLineEdit* FinalField() const { return m_pFinal; }
    ITextTarget& TimeTarget() { return *m_pTimeTarget; }
    ITextTarget& FinalTarget() { return *m_pFinalTarget; }

    // A method is running (the user clicked during its message polling): commands do nothing.
    bool Busy() const;
    // The button of a command made by AddCommand, by its caption ("E&xp. Method" ...).
    QPushButton* CommandButton(const QString& caption) const;

protected:
    // The fields a form binds (null where its kind has none), its kind, and the field whose bottom
    // right sizes the frame.
    struct CFieldBinding {
        int nKind = 0;
        QLineEdit* pNodes = nullptr;
        QLineEdit* pAmplitude = nullptr;  // Max.Degree for a graph
        QLineEdit* pRandStarts = nullptr;
        QLineEdit* pFullTests = nullptr;
        QAbstractButton* pShowWeights = nullptr;
        QAbstractButton* pMaximum = nullptr;
        QLineEdit* pCycle = nullptr;
        QWidget* pLastField = nullptr;
    };

    // Creates the read-only Time and Final fields (the core's text targets) and the test commands.
    void CreateResultFields(QLineEdit* time, QLineEdit* final);
    // Binds the fields: acceptance on focus loss and on the check boxes, the fields' lengths, and
    // digits only in the counts.
    void BindFields(const CFieldBinding& binding);
    // The form's part of a refresh: with reset the cycle field shows the current cycle.
    void RefreshForm(int reset);
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
    std::unique_ptr<CFormFields> m_pFields;
    CFieldBinding m_binding;
    CDrawingLink m_link{*this};
    QList<QPushButton*> m_commands;
    bool m_bAccepting = false;  // acceptance is running (its boxes move the focus)

    CFormTexts ReadTexts() const;
    void ShowTexts(const CFormTexts& texts);
};
