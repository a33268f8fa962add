#include "data/Params.h"

#include <cmath>

#include "rtl/SysUtils.h"

namespace data {

void TParam::AsString(std::string_view v) {
  type_ = TParamType::ptString;
  bytes_.assign(v);
}

void TParam::AsInteger(int64_t v) {
  type_ = TParamType::ptInteger;
  int_ = v;
  bytes_.clear();
}

void TParam::AsFloat(double v) {
  type_ = TParamType::ptFloat;
  num_ = v;
  bytes_.clear();
}

void TParam::AsDate(rtl::TDateTime v) {
  type_ = TParamType::ptDate;
  num_ = rtl::DateOf(v);
  bytes_.clear();
}

void TParam::AsTime(rtl::TDateTime v) {
  type_ = TParamType::ptTime;
  num_ = rtl::TimeOf(v);
  bytes_.clear();
}

void TParam::AsDateTime(rtl::TDateTime v) {
  type_ = TParamType::ptDateTime;
  num_ = v;
  bytes_.clear();
}

void TParam::LoadFromStream(rtl::TStream& s) {
  s.SetPosition(0);
  int64_t n = s.Size();
  std::string bytes(static_cast<size_t>(n), '\0');
  if (n) s.ReadBuffer(bytes.data(), n);
  type_ = TParamType::ptBlob;
  bytes_ = std::move(bytes);
}

void TParam::Clear() {
  type_ = TParamType::ptNull;
  bytes_.clear();
}

std::string TParam::AsString() const {
  switch (type_) {
    case TParamType::ptNull: return {};
    case TParamType::ptString:
    case TParamType::ptBlob: return bytes_;
    case TParamType::ptInteger: return rtl::IntToStr(int_);
    case TParamType::ptFloat: return rtl::FloatToStr(num_);
    case TParamType::ptDate: return rtl::DateToStr(num_);
    case TParamType::ptTime: return rtl::TimeToStr(num_);
    case TParamType::ptDateTime: return rtl::DateToStr(num_) + " " + rtl::TimeToStr(num_);
  }
  return {};
}

int64_t TParam::AsInteger() const {
  switch (type_) {
    case TParamType::ptNull: return 0;
    case TParamType::ptInteger: return int_;
    case TParamType::ptString:
    case TParamType::ptBlob: return rtl::StrToInt64(bytes_);
    default: return rtl::Round(num_);
  }
}

double TParam::AsFloat() const {
  switch (type_) {
    case TParamType::ptNull: return 0;
    case TParamType::ptInteger: return static_cast<double>(int_);
    case TParamType::ptString:
    case TParamType::ptBlob: return rtl::StrToFloat(bytes_);
    default: return num_;
  }
}

rtl::TDateTime TParam::AsDateTime() const {
  switch (type_) {
    case TParamType::ptNull: return rtl::ZeroDate;
    case TParamType::ptString:
    case TParamType::ptBlob: return rtl::StrToDate(bytes_);
    case TParamType::ptInteger: return static_cast<double>(int_);
    default: return num_;
  }
}

namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

TParsedSql ParseSql(std::string_view sql) {
  TParsedSql out;
  out.text.reserve(sql.size());
  const size_t n = sql.size();
  size_t i = 0;
  while (i < n) {
    char c = sql[i];
    if (c == '\'' || c == '"' || c == '`') {
      // Quoted text runs to the matching quote; MySQL lets a backslash escape the next
      // character inside '..' and "..", and a doubled quote simply closes and reopens.
      size_t j = i + 1;
      while (j < n && sql[j] != c) {
        if (sql[j] == '\\' && c != '`' && j + 1 < n) ++j;
        ++j;
      }
      j = j < n ? j + 1 : n;
      out.text.append(sql.substr(i, j - i));
      i = j;
    } else if (c == '#' || (c == '-' && i + 1 < n && sql[i + 1] == '-' &&
                            (i + 2 == n || static_cast<unsigned char>(sql[i + 2]) <= ' '))) {
      size_t j = sql.find_first_of("\r\n", i);
      if (j == std::string_view::npos) j = n;
      out.text.append(sql.substr(i, j - i));
      i = j;
    } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      size_t j = sql.find("*/", i + 2);
      j = j == std::string_view::npos ? n : j + 2;
      out.text.append(sql.substr(i, j - i));
      i = j;
    } else if (c == ':' && i + 1 < n && sql[i + 1] == ':') {
      out.text.append("::");
      i += 2;
    } else if (c == ':' && i + 1 < n && IsNameChar(sql[i + 1])) {
      size_t j = i + 1;
      while (j < n && IsNameChar(sql[j])) ++j;
      out.refs.emplace_back(sql.substr(i + 1, j - i - 1));
      out.text.push_back('?');
      i = j;
    } else {
      out.text.push_back(c);
      ++i;
    }
  }
  return out;
}

}  // namespace data
