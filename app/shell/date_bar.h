// SPDX-License-Identifier: GPL-3.0-or-later
// The date bar: the year field, the month, day, hour, minute and second lists and the
// "<<" and ">>" buttons, in that tab order. The date and time it holds are a civil date
// and time taken as dynamical time (TD); at start-up it shows the local date and time of
// the clock.
//
// Read gives what the controls hold, as a step from them needs it: the year must be a
// supported year (year_field.h), the lists give the number of their selected item, -1
// without a selection, unchecked (Civil_Date_Time holds such values as they are). Show puts
// a date and time into the controls; a value that a list does not hold (a leap second 60,
// say) leaves that list without a selection. The year field takes digits only from the
// keyboard; a minus sign comes from Show.
#pragma once

#include <QWidget>

#include <cstdint>

#include "astro/calendar.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class CDateBar : public QWidget {
  public:
    explicit CDateBar(QWidget* parent = nullptr);

    // False when the year field holds no supported year; the lists are then not read.
    bool Read(Civil_Date_Time& value) const;
    void Show(const Civil_Date_Time& value);

    // The index of the first item of `list` whose data equals `value`; -1 if none.
    static int FindComboItem(const QComboBox* list, int value);

    QLineEdit* GetYearEdit() const { return m_pYear; }
    QComboBox* GetMonthList() const { return m_pMonth; }
    QComboBox* GetDayList() const { return m_pDay; }
    QComboBox* GetHourList() const { return m_pHour; }
    QComboBox* GetMinuteList() const { return m_pMinute; }
    QComboBox* GetSecondList() const { return m_pSecond; }
    QPushButton* GetPrevButton() const { return m_pPrev; }
    QPushButton* GetNextButton() const { return m_pNext; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void FillFromClock();
    void LayOut();

    QLineEdit* m_pYear = nullptr;
    QComboBox* m_pMonth = nullptr;
    QComboBox* m_pDay = nullptr;
    QComboBox* m_pHour = nullptr;
    QComboBox* m_pMinute = nullptr;
    QComboBox* m_pSecond = nullptr;
    QPushButton* m_pPrev = nullptr;
    QPushButton* m_pNext = nullptr;
};
