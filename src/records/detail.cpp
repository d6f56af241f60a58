#include "records/detail.h"

namespace mirrin {

namespace {

// Sets the busy flag for a scope, so the change handlers of the pane ignore
// what the program writes into it.
class BusyScope {
 public:
  explicit BusyScope(Session& s) : flag_(s.window.busy), was_(flag_) { flag_ = true; }
  ~BusyScope() { flag_ = was_; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

}  // namespace

void ClearDetail(Session& s, Side side) {
  BusyScope busy(s);
  s.form.Line(side).SetText("");
  s.form.Desc(side).SetText("");
  s.form.Desc(side).SetLocked(true);
  s.form.ShowThisCategory(side).SetValue(forms::CheckBox::Unchecked);
  s.form.ShowThisCategory(side).SetEnabled(false);
  s.form.Line(side).SetLocked(true);
}

}  // namespace mirrin
