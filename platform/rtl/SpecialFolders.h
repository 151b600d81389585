#pragma once
// Special folders of the user and of the system, named by the shell's
// CSIDL numbers as the system's code asks for them, and found on this
// desktop through one replaceable resolver:
//
//   CSIDL_APPDATA         $XDG_CONFIG_HOME            (else $HOME/.config)
//   CSIDL_LOCAL_APPDATA   $XDG_DATA_HOME              (else $HOME/.local/share)
//   CSIDL_PERSONAL        the XDG documents folder    ($XDG_DOCUMENTS_DIR, else
//                         XDG_DOCUMENTS_DIR of $XDG_CONFIG_HOME/user-dirs.dirs,
//                         else $HOME/Documents)
//   CSIDL_COMMON_APPDATA  the first of $XDG_CONFIG_DIRS (else /etc/xdg)
//
// Tests and tools put other folders in place with SetSpecialFolderResolver.

#include "platform/rtl/System.h"

inline constexpr Integer CSIDL_PERSONAL = 5;
inline constexpr Integer CSIDL_APPDATA = 26;
inline constexpr Integer CSIDL_LOCAL_APPDATA = 28;
inline constexpr Integer CSIDL_COMMON_APPDATA = 35;

// The folder of a CSIDL with a trailing separator, or "" when this system
// has none for it. The folder is not created.
using TSpecialFolderResolver = std::function<String(Integer Csidl)>;

String SpecialFolderPath(Integer Csidl);
// The desktop's folders as listed above.
String DesktopSpecialFolderPath(Integer Csidl);
// Replaces the resolver; nullptr restores the desktop's. Answers the previous one.
TSpecialFolderResolver SetSpecialFolderResolver(TSpecialFolderResolver Resolver);
