#include "platform/win32/restore_point_win32.h"

#include <windows.h>

#include <sddl.h>
#include <srrestoreptapi.h>

#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

using SetRestorePoint = BOOL WINAPI(PRESTOREPOINTINFOW, PSTATEMGRSTATUS);

// System Restore's services (running as LocalService, NetworkService and
// System) call back into the process that asks for a restore point: COM
// must let them. Set once for the process; where COM's security was
// already set (a dialog used COM first), the call is refused and the
// restore point is asked for all the same.
void allowSystemRestoreCallbacks() {
  static bool done = false;
  if (done) return;
  done = true;
  PSECURITY_DESCRIPTOR relative = nullptr;
  // Execute rights (local and remote) for those accounts, Administrators
  // and the caller itself; owner and group Administrators.
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
          L"O:BAG:BAD:(A;;0x3;;;BA)(A;;0x3;;;LS)(A;;0x3;;;NS)(A;;0x3;;;PS)(A;;0x3;;;SY)",
          SDDL_REVISION_1, &relative, nullptr))
    return;
  // COM takes a descriptor in absolute form only.
  DWORD sizes[5] = {};
  MakeAbsoluteSD(relative, nullptr, &sizes[0], nullptr, &sizes[1], nullptr, &sizes[2], nullptr,
                 &sizes[3], nullptr, &sizes[4]);
  std::vector<BYTE> parts[5];
  for (int i = 0; i < 5; ++i) parts[i].resize(sizes[i] ? sizes[i] : 1);
  auto* absolute = reinterpret_cast<PSECURITY_DESCRIPTOR>(parts[0].data());
  if (MakeAbsoluteSD(relative, absolute, &sizes[0], reinterpret_cast<PACL>(parts[1].data()),
                     &sizes[1], reinterpret_cast<PACL>(parts[2].data()), &sizes[2],
                     reinterpret_cast<PSID>(parts[3].data()), &sizes[3],
                     reinterpret_cast<PSID>(parts[4].data()), &sizes[4])) {
    if (auto* secure = lateBound<decltype(CoInitializeSecurity)>(L"ole32.dll",
                                                                 "CoInitializeSecurity"))
      // COM's own defaults otherwise, so that the program's other COM
      // calls (the shell's dialogs) go on as before.
      secure(absolute, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
             nullptr, EOAC_NONE, nullptr);
  }
  LocalFree(relative);
}

RestorePointReply call(SetRestorePoint* set, DWORD event, DWORD type, std::int64_t sequence,
                       const std::wstring& description) {
  RESTOREPOINTINFOW info{};
  info.dwEventType = event;
  info.dwRestorePtType = type;
  info.llSequenceNumber = sequence;
  lstrcpynW(info.szDescription, description.c_str(), MAX_DESC_W);
  STATEMGRSTATUS status{};
  RestorePointReply reply;
  reply.succeeded = set(&info, &status) != FALSE;
  reply.status = status.nStatus;
  reply.sequence = status.llSequenceNumber;
  return reply;
}

SetRestorePoint* setRestorePoint() {
  return lateBound<SetRestorePoint>(L"srclient.dll", "SRSetRestorePointW");
}

}  // namespace

std::optional<RestorePointReply> Win32RestorePoints::begin(const std::string& description) {
  SetRestorePoint* set = setRestorePoint();
  if (!set) return std::nullopt;
  const ComApartment apartment;
  allowSystemRestoreCallbacks();
  return call(set, BEGIN_SYSTEM_CHANGE, MODIFY_SETTINGS, 0, wide(description));
}

void Win32RestorePoints::end(std::int64_t sequence) {
  SetRestorePoint* set = setRestorePoint();
  if (!set) return;
  const ComApartment apartment;
  call(set, END_SYSTEM_CHANGE, MODIFY_SETTINGS, sequence, {});
}

}  // namespace corvanta
