// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/date_bar.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <ctime>

#include "app/shell/year_field.h"
#include "astro/calendar.h"

namespace {

// Spacing of the controls, pixels.
constexpr int kSpacing = 4;
constexpr int kGroupGap = 12;

QComboBox* NewDropDownList(const char* objectName, const char* accessibleName, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(objectName));
    list->setAccessibleName(QLatin1String(accessibleName));
    list->setEditable(false);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setMaxVisibleItems(12);
    list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return list;
}

// Items "first" ... "last" in decimal without leading zeros, each with its number as data.
void FillNumbers(QComboBox* list, int first, int last) {
    for (int n = first; n <= last; ++n) list->addItem(QString::number(n), n);
}

// The value of a list: the data of its selected item, -1 without a selection.
int16_t ReadList(const QComboBox* list) {
    const int index = list->currentIndex();
    if (index < 0) return -1;
    return static_cast<int16_t>(list->itemData(index).toInt());
}

void SelectValue(QComboBox* list, int value) {
    list->setCurrentIndex(CDateBar::FindComboItem(list, value));
}

// A key typed into the year field that is not a digit: refused, as are all printable
// characters other than digits. Editing keys and keys that carry no text pass.
bool IsRefusedYearKey(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString text = key->text();
    if (text.isEmpty()) return false;
    for (const QChar c : text) {
        if (!c.isPrint()) return false;
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return true;
    }
    return false;
}

}  // namespace

CDateBar::CDateBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DateBar"));
    CreateControls();
    FillFromClock();
    LayOut();
}

void CDateBar::CreateControls() {
    m_pYear = new QLineEdit(this);
    m_pYear->setObjectName(QStringLiteral("IDC_YEAR"));
    m_pYear->setAccessibleName(QStringLiteral("Year"));
    // Typing accepts digits only (see eventFilter); a minus sign can come from a step back
    // beyond AD 1 and may stay while the digits are edited.
    m_pYear->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[-+]?[0-9]*")), m_pYear));
    m_pYear->setFixedWidth(m_pYear->fontMetrics().horizontalAdvance(QStringLiteral("-000000")) +
                           12);
    m_pYear->installEventFilter(this);
    m_pMonth = NewDropDownList("IDC_MONTH", "Month", this);
    m_pDay = NewDropDownList("IDC_DAY", "Day", this);
    m_pHour = NewDropDownList("IDC_HOUR", "Hour", this);
    m_pMinute = NewDropDownList("IDC_MINUTE", "Minute", this);
    m_pSecond = NewDropDownList("IDC_SECOND", "Second", this);
    m_pPrev = new QPushButton(QStringLiteral("<<"), this);
    m_pPrev->setObjectName(QStringLiteral("IDC_PREV"));
    m_pPrev->setToolTip(QStringLiteral("Previous eclipse"));
    m_pNext = new QPushButton(QStringLiteral(">>"), this);
    m_pNext->setObjectName(QStringLiteral("IDC_NEXT"));
    m_pNext->setToolTip(QStringLiteral("Next eclipse"));
    for (QPushButton* button : {m_pPrev, m_pNext}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("<<<<")) +
                                16);
    }
}

void CDateBar::FillFromClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);

    FillNumbers(m_pDay, 1, 31);
    SelectValue(m_pDay, local.tm_mday);
    FillNumbers(m_pHour, 0, 23);
    SelectValue(m_pHour, local.tm_hour);
    for (int month = 1; month <= 12; ++month) {
        m_pMonth->addItem(QString::fromLatin1(MonthNames[month]), month);
    }
    SelectValue(m_pMonth, local.tm_mon + 1);
    FillNumbers(m_pMinute, 0, 59);
    SelectValue(m_pMinute, local.tm_min);
    FillNumbers(m_pSecond, 0, 59);
    SelectValue(m_pSecond, local.tm_sec);  // a leap second 60 leaves no selection
    m_pYear->setText(QString::number(local.tm_year + 1900));
}

void CDateBar::LayOut() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kSpacing, 2, kSpacing, 2);
    layout->setSpacing(kSpacing);
    layout->addWidget(m_pYear);
    layout->addWidget(m_pMonth);
    layout->addWidget(m_pDay);
    layout->addSpacing(kGroupGap);
    layout->addWidget(m_pHour);
    layout->addWidget(new QLabel(QStringLiteral(":"), this));
    layout->addWidget(m_pMinute);
    layout->addWidget(new QLabel(QStringLiteral(":"), this));
    layout->addWidget(m_pSecond);
    layout->addSpacing(kGroupGap);
    layout->addWidget(m_pPrev);
    layout->addWidget(m_pNext);
    // The controls keep their own widths; a wider bar leaves room on the right.
    layout->addStretch(1);

    QWidget::setTabOrder(m_pYear, m_pMonth);
    QWidget::setTabOrder(m_pMonth, m_pDay);
    QWidget::setTabOrder(m_pDay, m_pHour);
    QWidget::setTabOrder(m_pHour, m_pMinute);
    QWidget::setTabOrder(m_pMinute, m_pSecond);
    QWidget::setTabOrder(m_pSecond, m_pPrev);
    QWidget::setTabOrder(m_pPrev, m_pNext);
}

bool CDateBar::Read(Civil_Date_Time& value) const {
    if (!ReadYearField(m_pYear->text(), value.year)) return false;
    value.month = ReadList(m_pMonth);
    value.day = ReadList(m_pDay);
    value.hour = ReadList(m_pHour);
    value.minute = ReadList(m_pMinute);
    value.second = ReadList(m_pSecond);
    return true;
}

void CDateBar::Show(const Civil_Date_Time& value) {
    m_pYear->setText(QString::asprintf("%d", value.year));
    SelectValue(m_pMonth, value.month);
    SelectValue(m_pDay, value.day);
    SelectValue(m_pHour, value.hour);
    SelectValue(m_pMinute, value.minute);
    SelectValue(m_pSecond, value.second);
}

int CDateBar::FindComboItem(const QComboBox* list, int value) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemData(i).toInt() == value) return i;
    }
    return -1;
}

bool CDateBar::eventFilter(QObject* watched, QEvent* event) {
    return watched == m_pYear && event->type() == QEvent::KeyPress &&
           IsRefusedYearKey(static_cast<QKeyEvent*>(event));
}
