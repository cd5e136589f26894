#include "base/ole_date.h"

namespace flk {

namespace {
constexpr double kUnixEpochAsOleDate = 25569.0;  // 1 January 1970 in days since 30 December 1899
}

OleDate OleDateFromUnixSeconds(double seconds) { return OleDate{kUnixEpochAsOleDate + seconds / 86400.0}; }

}  // namespace flk
