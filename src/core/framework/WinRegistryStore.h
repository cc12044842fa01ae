// WinRegistryStore: the Windows registry (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE read-only).
#pragma once

#ifdef _WIN32

#include "framework/RegistryStore.h"

// Texts are converted between UTF-8 and the registry's UTF-16. The machine hive is opened for
// reading only, so that its defaults reach users without administrator rights.
class WinRegistryStore : public RegistryStore {
public:
    [[nodiscard]] std::unique_ptr<RegistryKey> OpenRoot(RegRoot root) override;
};

#endif
