// Registry entries of the image component: its ProgIDs, its class and its type library.
#pragma once
#include <windows.h>

#include <string>

namespace images {

// Writes the ProgIDs and the class key under a classes root (HKEY_CLASSES_ROOT, or a user's
// Software\Classes). Returns a Win32 error code.
LONG WriteClassEntries(HKEY classesRoot, const std::wstring& serverPath);

// Removes what WriteClassEntries wrote; keys that are missing already count as removed.
LONG RemoveClassEntries(HKEY classesRoot);

// Writes the class entries under `primary`; when that is refused, under `fallback` instead.
// `used` receives the root that holds them.
LONG WriteClassEntriesWithFallback(HKEY primary, HKEY fallback, const std::wstring& serverPath, HKEY* used);

// The whole registration: the classes root first, the current user's classes when the machine-wide
// root is refused (a user without administrator rights), and the type library inside `serverPath`.
HRESULT RegisterComponent(const std::wstring& serverPath);
HRESULT UnregisterComponent();

}  // namespace images
