// A stand-in mail program for Simple MAPI: registered under
// HKLM\Software\Clients\Mail (DLLPath), it receives the calls that the
// system's mapi32 forwards, appends one line per call to
// test_mail_provider.log beside itself ("MAPISendDocuments|delimiter|paths|names")
// and answers with HKCU\Software\FlkTestMail "Answer" (0 when absent).
#include <windows.h>

#include <string>

namespace {

HMODULE g_self = nullptr;

void Record(const std::string& line) {
  char self[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameA(g_self, self, MAX_PATH);
  std::string log(self, n);
  log = log.substr(0, log.find_last_of('\\') + 1) + "test_mail_provider.log";
  HANDLE f = ::CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  std::string text = line + "\r\n";
  DWORD written = 0;
  ::WriteFile(f, text.data(), DWORD(text.size()), &written, nullptr);
  ::CloseHandle(f);
}

ULONG Answer() {
  DWORD value = 0, size = sizeof value;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\FlkTestMail", "Answer", RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
    return 0;
  return value;
}

std::string Text(const char* s) { return s ? s : "(null)"; }

}  // namespace

extern "C" {

__declspec(dllexport) ULONG WINAPI MAPISendDocuments(ULONG_PTR, LPSTR delimiter, LPSTR paths, LPSTR names, ULONG) {
  Record("MAPISendDocuments|" + Text(delimiter) + "|" + Text(paths) + "|" + Text(names));
  return Answer();
}

__declspec(dllexport) ULONG WINAPI MAPISendMail(ULONG_PTR, ULONG_PTR, void*, ULONG, ULONG) {
  Record("MAPISendMail");
  return Answer();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_self = instance;
  return TRUE;
}

}  // extern "C"
