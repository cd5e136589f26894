// The contact dialog's decisions and the diagnostics window's layout; see contact.h.
#include "support/contact.h"

#include <algorithm>

namespace flk {

namespace {

constexpr ContactWay kWays[] = {
    {"Try First",
     "Great for email programs like Outlook, Outlook Express, Exchange and Eudora that are Simple MAPI "
     "compatible. Your email program should open immediately with address, subject and body text filled in."},
    {"Try Next",
     "Works nicely if your default email program is properly configured with Windows. Your email program should "
     "open immediately with the address and subject filled in. Body text may need pasting."},
    {"Try Last", "Copies information to the Windows clipboard for you to paste into an email manually."},
};

constexpr long kMapiUserAbort = 1;

}  // namespace

std::span<const ContactWay> ContactWays() { return kWays; }

std::string ContactCaption(const std::string& address) {
  return address.empty() ? "Send Email" : "Send Email to " + address;
}

ContactLayout LayOutContact() {
  ContactLayout l;
  int y = 10;
  // Each way's text takes four lines of the message font at 100 %, five at 150 %.
  for (int i = 0; i < 3; ++i, y += 78) {
    l.buttons[i] = Rect::FromXYWH(10, y + 8, 90, 25);
    l.texts[i] = Rect::FromXYWH(112, y, 298, 72);
  }
  l.showSteps = Rect::FromXYWH(10, y + 2, 400, 18);
  l.useAol = Rect::FromXYWH(10, y + 24, 400, 18);
  l.close = Rect::FromXYWH(kContactWidth - 90, y + 50, 80, 25);
  return l;
}

bool IsMapiFailure(long code) { return code != 0 && code != kMapiUserAbort; }

void ContactSession::AppendConfiguration() {
  if (request_.appendConfiguration && configuration_)
    request_.body = WithConfiguration(request_.body, configuration_());
}

const MailRequest& ContactSession::TryFirst() {
  AppendConfiguration();
  return request_;
}

ContactSession::Next ContactSession::TryNext(bool showSteps) {
  Next n;
  std::string body;
  if (request_.byClipboard) {
    AppendConfiguration();
    n.clipboard = request_.body;
    body = kPasteBodyText;
  } else {
    body = EscapeMailtoBody(request_.body);
  }
  n.link = MailtoLink(request_.address, request_.subject, body);
  if (request_.byClipboard && showSteps) n.steps = MailSteps{kTryNextInstructions, 140};
  return n;
}

ContactSession::Last ContactSession::TryLast(bool showSteps) {
  Last l;
  const bool bodyOnClipboard = request_.byClipboard || request_.address.empty();
  if (bodyOnClipboard) {
    AppendConfiguration();
    l.clipboard = request_.body;
  } else {
    l.clipboard = request_.address;
  }
  if (showSteps) l.steps = MailSteps{TryLastInstructions(bodyOnClipboard, request_.address), 180};
  return l;
}

MemoLayout LayOutMemo(Size client, DpiScale s) {
  MemoLayout l;
  const int bottom = client.height - s(kMemoBottomHeight);
  l.memo = Rect::FromXYWH(0, 0, client.width, std::max(0, bottom));
  for (int i = 0; i < 4; ++i) l.buttons[i] = Rect::FromXYWH(s(10) + i * s(90), bottom + s(8), s(80), s(25));
  return l;
}

}  // namespace flk
