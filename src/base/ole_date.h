// OLE Automation dates, the program's stored date form: days since 30
// December 1899, the time of day as the fraction.
#pragma once

namespace flk {

struct OleDate {
  double days = 0;
  friend bool operator==(const OleDate&, const OleDate&) = default;
};

OleDate OleDateFromUnixSeconds(double seconds);

}  // namespace flk
