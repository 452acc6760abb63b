// The numeric cell.
#include "windows/NumEdit.h"

#include <QApplication>
#include <QKeyEvent>

#include "document/MainDoc.h"
#include "solver/Platform.h"

bool EdgeIsTop(int e) {
    return e == EDGE_TOP || e == EDGE_TOP_LEFT || e == EDGE_TOP_RIGHT;
}
bool EdgeIsBottom(int e) {
    return e == EDGE_BOTTOM || e == EDGE_BOTTOM_LEFT || e == EDGE_BOTTOM_RIGHT;
}
bool EdgeIsLeft(int e) {
    return e == EDGE_LEFT || e == EDGE_TOP_LEFT || e == EDGE_BOTTOM_LEFT;
}
bool EdgeIsRight(int e) {
    return e == EDGE_RIGHT || e == EDGE_TOP_RIGHT || e == EDGE_BOTTOM_RIGHT;
}

CNumEdit::CNumEdit(int id, QWidget* parent) : QLineEdit(parent), m_nId(id) {
    setMaxLength(40);
    setAlignment(Qt::AlignRight);
}

void CNumEdit::Attach(int minimum, int maximum, int rowStep, int value, int edge) {
    m_nMin = minimum;
    m_nMax = maximum;
    m_nRowStep = rowStep;
    m_nEdge = edge;
    m_nLastValid = value;
    setEnabled(true);
    SetValue(value);
}

void CNumEdit::Detach() {
    clear();
    setEnabled(false);
}

void CNumEdit::SetValue(int value) {
    m_nValue = value;
    m_nLastValid = value;
    setText(QString::asprintf("%d", value));
}

bool CNumEdit::Leave() {
    const int value = LeadingInt(text().left(40).toStdString());
    if (value >= m_nMin && value <= m_nMax) {
        m_bChanged = value != m_nLastValid;
        m_nLastValid = m_nValue = value;
        setText(QString::asprintf("%d", value));
        return true;
    }
    m_bChanged = false;
    m_nValue = m_nLastValid;
    setText(QString::asprintf("%d", m_nValue));
    Platform().pDialogs->ShowMessage(
        EBoxKind::Error,
        QString::asprintf("Invalid value. The valid range is %d...%d", m_nMin, m_nMax).toStdString());
    return false;
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
        if (m_fnArrow) m_fnArrow(*this, key);
        return;
    }
    const QString typed = event->text();
    const bool character = !typed.isEmpty() && (typed.at(0).isPrint() || key == Qt::Key_Backspace) &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!character || key == Qt::Key_Delete) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar ch = typed.at(0);
    if (ch.isDigit()) {
        QLineEdit::keyPressEvent(event);
    } else if (ch == QLatin1Char('-')) {
        const int value = LeadingInt(text().toStdString());
        if (value > 0) setText(QString::asprintf("%d", -value));
    } else {
        ++m_nRefused;
        if (!m_fnRefused || m_fnRefused(*this) != -1) QApplication::beep();
    }
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
    if (!m_bLeaving && isEnabled()) {
        m_bLeaving = true;
        Leave();
        if (m_fnLostFocus) m_fnLostFocus(*this);
        m_bLeaving = false;
    }
    QLineEdit::focusOutEvent(event);
}
