// Contacts beyond the golden samples: the classic layout's smaller set of
// fields, and errors that say which contact could not be read.
#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "palmdata/kinds_testing.h"

namespace mirrin {
namespace {

using test::Contacts;

TEST(AddressFile, ClassicLayoutNeverWritesTheExtendedOnlyFields) {
  const Bytes file = ReadWholeFile(test::DataFile("address-classic.dat"));
  DataContext ctx;
  Contacts::Store s = Contacts::Parsed(file, ctx);
  ContactRecord& c = s.records[0];
  c.Phones[6] = {7, "seventh"};
  c.CustomFields[8] = "ninth";
  c.Addresses[1].City = "second";
  c.Website = "example.org";
  c.ExtString6 = "x";
  EXPECT_EQ(Contacts::Build(s), file);
}

TEST(AddressFile, CutContactIsNamedWithTheGroupOfFieldsReached) {
  const Bytes data = ReadWholeFile(test::DataFile("address-extended.dat"));
  // Cut inside the second contact's phone values: after its names were read.
  DataContext ctx;
  try {
    Contacts::Parsed(data.substr(0, data.find("phone31")), ctx);
    FAIL() << "a cut file must not read";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::InputPastEnd);
    EXPECT_EQ(e.where(), "ReadAddressFile f,1");
    EXPECT_NE(e.detail().find("Dr1 Ann1 Lee1, Acme1 n"), std::string::npos) << e.detail();
    EXPECT_EQ(e.detail().find(" pc"), std::string::npos) << e.detail();
  }
}

}  // namespace
}  // namespace mirrin
