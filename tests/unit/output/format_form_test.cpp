#include "output/format_form.h"

#include <gtest/gtest.h>

#include "base/form_check.h"

namespace flk {
namespace {

// Both forms built on the table, the chooser and the e-mail format dialog,
// as a person sees them; a click on each description picks its format.
TEST(FormatFormControls, BothFormsLieClearAndEachDescriptionPicksItsFormat) {
  FormatFormShape email;
  email.clientHeight = 203;
  email.rowStep = 36;
  email.buttonsTop = 174;
  email.nsaBox = false;
  email.setupButton = true;
  for (const FormatFormShape& shape : {FormatFormShape{}, email}) {
    std::string faults;
    for (const std::string& f : FormTableFaults(FormatFormControls(shape), Size{kFormatFormWidth, shape.clientHeight}))
      faults += f + "\n";
    EXPECT_EQ(faults, "") << "row step " << shape.rowStep;
  }
  const struct {
    int label, radio;
  } picks[] = {{kLabel4, kRadioGif}, {kLabel1, kRadioJpg}, {kLabel2, kRadioPng}, {kLabel3, kRadioBmp}, {kLabel5, 0}};
  for (const auto& p : picks) EXPECT_EQ(RadioOfDescription(p.label), p.radio) << p.label;
}

}  // namespace
}  // namespace flk
