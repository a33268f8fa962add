#include "report/Expr.h"

#include <cctype>
#include <cstdlib>

namespace report {

namespace {

std::string Trim(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return std::string(s.substr(a, b - a));
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

[[noreturn]] void Invalid(std::string_view text) {
  throw EReportError("Invalid expression: " + std::string(text));
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }

}  // namespace

TExpression TExpression::Parse(std::string_view text) {
  TExpression e;
  std::string body = Trim(text);
  std::string up = Upper(body);
  if (up == "COUNT" || up == "COUNT()") {
    e.kind_ = TKind::Count;
    return e;
  }
  if (up.rfind("SUM", 0) == 0) {
    std::string rest = Trim(std::string_view(body).substr(3));
    if (rest.size() < 2 || rest.front() != '(' || rest.back() != ')') Invalid(text);
    e.kind_ = TKind::Sum;
    body = Trim(std::string_view(rest).substr(1, rest.size() - 2));
  }
  // term (('+'|'-') term)*
  size_t i = 0;
  bool expectTerm = true;
  bool negate = false;
  while (i < body.size()) {
    char c = body[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    if (expectTerm) {
      if (c == '-' || c == '+') {  // sign of the term
        if (c == '-') negate = !negate;
        ++i;
        continue;
      }
      Term t;
      t.negate = negate;
      size_t start = i;
      if (std::isdigit(static_cast<unsigned char>(c))) {
        while (i < body.size() && (std::isdigit(static_cast<unsigned char>(body[i])) || body[i] == '.')) ++i;
        t.number = std::strtod(body.substr(start, i - start).c_str(), nullptr);
      } else if (IsNameChar(c)) {
        while (i < body.size() && IsNameChar(body[i])) ++i;
        std::string name = body.substr(start, i - start);
        // "Q5.grup": the query's name in front of the field is only a qualifier.
        if (size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
        if (name.empty()) Invalid(text);
        t.isField = true;
        t.field = name;
      } else {
        Invalid(text);
      }
      e.terms_.push_back(t);
      negate = false;
      expectTerm = false;
    } else {
      if (c != '+' && c != '-') Invalid(text);
      negate = (c == '-');
      ++i;
      expectTerm = true;
    }
  }
  if (expectTerm) Invalid(text);  // empty, or ends in an operator
  return e;
}

std::vector<std::string> TExpression::Fields() const {
  std::vector<std::string> out;
  for (const Term& t : terms_)
    if (t.isField) out.push_back(t.field);
  return out;
}

TExprValue TExpression::Evaluate(const TFieldReader& read) const {
  if (terms_.size() == 1 && terms_[0].isField && !terms_[0].negate) return read(terms_[0].field);
  TExprValue v;
  v.IsNumber = true;
  for (const Term& t : terms_) {
    double x = t.number;
    if (t.isField) {
      TExprValue f = read(t.field);
      x = f.IsNumber ? f.Number : std::strtod(f.Text.c_str(), nullptr);
    }
    v.Number += t.negate ? -x : x;
  }
  v.Text = rtl::FloatToStr(v.Number);
  return v;
}

void TAggregate::Add(const TFieldReader& read) {
  ++count_;
  if (!expr_ || expr_->Kind() != TExpression::TKind::Sum) return;
  TExprValue v = expr_->Evaluate(read);
  sum_ += v.IsNumber ? v.Number : std::strtod(v.Text.c_str(), nullptr);
}

double TAggregate::Value() const {
  if (expr_ && expr_->Kind() == TExpression::TKind::Count) return static_cast<double>(count_);
  return sum_;
}

}  // namespace report
