// CUSADemo: the map window. Its whole client area is this form: the map pane with the current
// route on it, the route as a list of capitals, its length and time, and the buttons that run the
// two methods on the network of the selected capitals, compare them, change the selection and open
// the options, the distance matrix, the triangle test and the method parameters.
//
// The commands are the core's: the series steps of document/Series.h (exact method, polynomial
// method with its random starts, Compare) and the map steps of mapdemo/MapSteps.h. A button's slot
// guards against a running method, calls the step and refreshes the form.
#pragma once

#include <memory>

#include "solver/Platform.h"
#include "windows/TestForm.h"

class CMapPane;
class CTestSeries;
class QLineEdit;
class QListWidget;
class QPushButton;
class QtLineEditTarget;

class CUSADemo : public CTestForm {
    Q_OBJECT
public:
    explicit CUSADemo(CMainDoc& doc, QWidget* parent = nullptr);
    ~CUSADemo() override;

    void OnInitialUpdate() override;
    void CommitFields() override;

    CMapPane* MapPane() const { return m_pMap; }
    // The view's kilometres switch (the Length field's unit and the weights' unit).
    int m_bUseKilometers = 0;

public slots:
    void OnExpMethod();
    void OnPolynMethod();
    void OnAccept();
    void OnReset();
    void OnRandInitial();
    void OnMatrix();
    void OnCompare();
    void OnTimeByExpMethod();
    void OnOptions();
    void OnTriangleInequality();
    void OnCountsEdited();

private:
    class CLengthTarget;
    class CRepaintView;

    void Rebuild(int random);
    void FillRouteList();
    void ShowLength();
    void RefreshAfterStep();
    bool Busy() const;

    CMapPane* m_pMap;
    QListWidget* m_pRoute;
    QLineEdit* m_pNodes;
    QLineEdit* m_pLength;
    QLineEdit* m_pTime;
    QLineEdit* m_pRandStarts;
    QLineEdit* m_pFullTests;
    std::unique_ptr<QtLineEditTarget> m_pTimeTarget;
    std::unique_ptr<CLengthTarget> m_pLengthTarget;
    std::unique_ptr<CRepaintView> m_pRepaint;
    std::unique_ptr<CTestSeries> m_pSeries;
};
