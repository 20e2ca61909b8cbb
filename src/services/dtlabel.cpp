#include "services/dtlabel.h"

namespace kiv {

void TDTLabel::SetTimeFormat(TTimeFormat v) {
  if (v > tfAmPm) return;
  time_format_ = v;
  Changed();
}

void TDTLabel::SetDateSeparator(char v) {
  date_sep_ = v;
  Changed();
}

void TDTLabel::SetTimeSeparator(char v) {
  time_sep_ = v;
  Changed();
}

void TDTLabel::SetYearLength(TYearLength v) {
  if (v > ylFourDigits) return;
  year_length_ = v;
  Changed();
}

void TDTLabel::SetMonthName(bool v) {
  month_name_ = v;
  Changed();
}

void TDTLabel::SetDateForTime(TDateForTime v) {
  if (v > dftEveryTick) return;
  date_for_time_ = v;
  Changed();
}

void TDTLabel::SetDAteOrder(TDateOrder v) {
  if (v > doYearMonthDay) return;
  date_order_ = v;
  Changed();
}

void TDTLabel::Assign(const TPersistent& Source) {
  const auto* src = dynamic_cast<const TDTLabel*>(&Source);
  if (!src) {
    TNotifyingPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  time_format_ = src->time_format_;
  date_sep_ = src->date_sep_;
  time_sep_ = src->time_sep_;
  year_length_ = src->year_length_;
  month_name_ = src->month_name_;
  date_for_time_ = src->date_for_time_;
  date_order_ = src->date_order_;
  Changed();
}

void TDTLabel::AssignTo(TPersistent& Dest) const {
  if (auto* dst = dynamic_cast<TDTLabel*>(&Dest)) {
    dst->Assign(*this);
    return;
  }
  TNotifyingPersistent::AssignTo(Dest);
}

}  // namespace kiv
