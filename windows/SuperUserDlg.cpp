// The "Super User" dialog.
#include "windows/SuperUserDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <charconv>
#include <string>

#include "document/MainDoc.h"
#include "solver/MethodParams.h"
#include "windows/DialogExec.h"

namespace {
// The leading floating-point number of a text as atof reads it in the C locale (the program's
// numbers never take the user's decimal comma); 0 when there is none.
double LeadingDouble(const QString& text) {
    const std::string s = text.trimmed().toStdString();
    const char* first = s.c_str();
    if (*first == '+') ++first;
    double value = 0;
    std::from_chars(first, s.c_str() + s.size(), value);
    return value;
}
}  // namespace

CMethodParamSet NetworkParamSet() {
    return {g_nFirstLoop, g_nSecondLoop, g_dParam1, g_dParam2};
}
CMethodParamSet MapParamSet() {
    return {g_nMapFirstLoop, g_nMapSecondLoop, g_dMapParam1, g_dMapParam2};
}

CSuperUserDlg::CSuperUserDlg(const CMethodParamSet& set, QWidget* parent)
    : QDialog(parent),
      m_pFirst(new QLineEdit(QString::number(set.firstLoop), this)),
      m_pSecond(new QLineEdit(QString::number(set.secondLoop), this)),
      m_pParam1(new QLineEdit(QString::asprintf("%.3f", set.param1), this)),
      m_pParam2(new QLineEdit(QString::asprintf("%.3f", set.param2), this)) {
    setWindowTitle(QStringLiteral("Super User"));
    auto* form = new QFormLayout(this);
    const struct {
        const char* caption;
        QLineEdit* edit;
        const char* name;
    } rows[] = {{"&First Loop", m_pFirst, "firstLoop"},
                {"&Second Loop", m_pSecond, "secondLoop"},
                {"Parameter &1", m_pParam1, "param1"},
                {"Parameter &2", m_pParam2, "param2"}};
    for (const auto& row : rows) {
        auto* label = new QLabel(QString::fromLatin1(row.caption), this);
        label->setBuddy(row.edit);
        row.edit->setObjectName(QString::fromLatin1(row.name));
        row.edit->setAccessibleName(QString::fromLatin1(row.caption).remove(QLatin1Char('&')));
        form->addRow(label, row.edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CSuperUserDlg::ApplyTo(const CMethodParamSet& set) const {
    set.firstLoop = LeadingInt(m_pFirst->text().toStdString());
    set.secondLoop = LeadingInt(m_pSecond->text().toStdString());
    set.param1 = LeadingDouble(m_pParam1->text());
    set.param2 = LeadingDouble(m_pParam2->text());
}

int EditMethodParams(const CMethodParamSet& set, QWidget* parent) {
    CSuperUserDlg dialog(set, parent);
    const int result = ExecDialog(dialog);
    if (result == QDialog::Accepted) dialog.ApplyTo(set);
    return result;
}
