#include "palmdata/describe.h"

namespace mirrin {

void DescribeCommon(const CommonFields& f, FieldVisitor& v) {
  static const char* const kTagNames[] = {"ExtTag1", "ExtTag2", "ExtTag3", "ExtTag4"};
  static const char* const kLengthNames[] = {"ExtLength1", "ExtLength2", "ExtLength3", "ExtLength4"};
  static const char* const kTextNames[] = {"ExtText1", "ExtText2", "ExtText3", "ExtText4"};
  v.Int("RecordId", f.RecordId);
  v.Int("ExtRowId", f.ExtRowId);
  v.Int("Status", f.Status);
  v.Int("ExtFieldBase", f.ExtFieldBase);
  v.Int("Position", f.Position);
  v.Int("Category", f.Category);
  v.Bool("Private", f.Private);
  const ExtTexts& t = f.Ext.Get();
  for (size_t k = 0; k < f.ExtLength.size(); ++k) {
    v.Int(kTagNames[k], f.ExtTag[k]);
    v.Int(kLengthNames[k], f.ExtLength[k]);
    v.Text(kTextNames[k], t.Text[k]);
  }
  v.Text("ExtBlob", t.Blob);
  v.Text("ExtString1", t.String1);
  v.Text("ExtString2", t.String2);
}

}  // namespace mirrin
