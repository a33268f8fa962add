#include "data/Fields.h"

#include <cmath>

#include "rtl/SysUtils.h"

namespace data {

void MakeColumnNamesUnique(std::vector<TColumn>& columns) {
  auto taken = [&](const std::string& name, size_t before) {
    for (size_t k = 0; k < before; ++k)
      if (rtl::SameText(columns[k].name, name)) return true;
    return false;
  };
  for (size_t i = 1; i < columns.size(); ++i) {
    if (!taken(columns[i].name, i)) continue;
    const std::string base = columns[i].name;
    for (int n = 1;; ++n) {
      std::string candidate = base + "_" + std::to_string(n);
      if (!taken(candidate, i)) {
        columns[i].name = std::move(candidate);
        break;
      }
    }
  }
}

rtl::TDateTime CombineDateTime(rtl::TDateTime date, rtl::TDateTime time) {
  return date < 0 ? date - time : date + time;
}

const TCell* TField::ValueAt(int row) const {
  if (row < 0 || static_cast<size_t>(row) >= rows_->RowCount()) return nullptr;
  const TCell& v = rows_->Row(static_cast<size_t>(row))[index_];
  return v.IsNull() ? nullptr : &v;
}

bool TField::IsNull() const { return Value() == nullptr; }

std::string TField::AsString() const { return AsStringAt(rows_->current); }

std::string TField::AsStringAt(int row) const {
  const TCell* v = ValueAt(row);
  if (!v) return {};
  switch (DataType()) {
    case TFieldType::ftString:
    case TFieldType::ftBlob: return std::string(v->Text());
    case TFieldType::ftInteger: return rtl::IntToStr(v->i);
    case TFieldType::ftFloat: return rtl::FloatToStr(v->f);
    case TFieldType::ftDate: return rtl::DateToStr(v->f);
    case TFieldType::ftTime: return rtl::TimeToStr(v->f);
    case TFieldType::ftDateTime: return rtl::DateToStr(v->f) + " " + rtl::TimeToStr(v->f);
  }
  return {};
}

int64_t TField::AsInteger() const {
  const TCell* v = Value();
  if (!v) return 0;
  switch (DataType()) {
    case TFieldType::ftInteger: return v->i;
    case TFieldType::ftString:
    case TFieldType::ftBlob: return rtl::StrToInt64(v->Text());
    case TFieldType::ftFloat: return rtl::Round(v->f);
    default: return static_cast<int64_t>(std::trunc(v->f));
  }
}

double TField::AsFloat() const {
  const TCell* v = Value();
  if (!v) return 0;
  switch (DataType()) {
    case TFieldType::ftInteger: return static_cast<double>(v->i);
    case TFieldType::ftString:
    case TFieldType::ftBlob: return rtl::StrToFloat(v->Text());
    default: return v->f;
  }
}

rtl::TDateTime TField::AsDateTime() const {
  const TCell* v = Value();
  if (!v) return rtl::ZeroDate;
  switch (DataType()) {
    case TFieldType::ftInteger: return static_cast<double>(v->i);
    case TFieldType::ftString:
    case TFieldType::ftBlob: return rtl::StrToDate(v->Text());
    default: return v->f;
  }
}

void TField::SaveToStream(rtl::TStream& s) const {
  const TCell* v = Value();
  if (!v) return;
  if (DataType() == TFieldType::ftString || DataType() == TFieldType::ftBlob) {
    const std::string_view bytes = v->Text();
    if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return;
  }
  std::string text = AsString();
  s.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

}  // namespace data
