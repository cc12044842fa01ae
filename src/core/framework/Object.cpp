#include "framework/Object.h"

#include <map>
#include <string>

namespace {
// Function-local so that registration from other translation units' static initialisers is
// safe whatever the initialisation order.
std::map<std::string, const CRuntimeClass*, std::less<>>& Registry() {
    static std::map<std::string, const CRuntimeClass*, std::less<>> classes;
    return classes;
}
} // namespace

const CRuntimeClass CObject::classCObject = {"CObject", 0xFFFF, nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const {
    if (!m_pfnCreateObject)
        return nullptr;
    return m_pfnCreateObject();
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass)
        if (cls == base)
            return true;
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
    const auto& classes = Registry();
    auto it = classes.find(name);
    return it == classes.end() ? nullptr : it->second;
}

void CRuntimeClass::Register(const CRuntimeClass* cls) { Registry()[cls->m_lpszClassName] = cls; }
