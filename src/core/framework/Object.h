// CObject: root of the serialisable records, with run-time class information and a factory by
// class name for the object archive.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

class CArchive;
class CObject;

// Describes one class: its name as stored in archives, its schema, its base and how to make an
// empty instance. Instances are static and live for the whole process.
struct CRuntimeClass {
    const char* m_lpszClassName;
    std::uint16_t m_wSchema;
    const CRuntimeClass* m_pBaseClass;
    std::unique_ptr<CObject> (*m_pfnCreateObject)(); // null for abstract classes

    // A new default-constructed object, or null when the class cannot be created by name.
    [[nodiscard]] std::unique_ptr<CObject> CreateObject() const;
    [[nodiscard]] bool IsDerivedFrom(const CRuntimeClass* base) const;

    // The creatable class registered under this exact name, or null.
    [[nodiscard]] static const CRuntimeClass* FromName(std::string_view name);
    // Registers a creatable class; done once per class by KUBO_IMPLEMENT_SERIAL.
    static void Register(const CRuntimeClass* cls);
};

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    // Stores or loads the object's fields in one order; the base stores nothing.
    virtual void Serialize(CArchive& ar);

    [[nodiscard]] bool IsKindOf(const CRuntimeClass* cls) const {
        return GetRuntimeClass()->IsDerivedFrom(cls);
    }

    static const CRuntimeClass classCObject;
    static const CRuntimeClass* GetThisClass() { return &classCObject; }
};

#define KUBO_RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body: run-time class information (abstract or not creatable by name).
#define KUBO_DECLARE_DYNAMIC(class_name)                                                           \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    static const CRuntimeClass* GetThisClass() { return &class##class_name; }                      \
    const CRuntimeClass* GetRuntimeClass() const override;

// In the class body: run-time class information plus creation by name (archive loading).
#define KUBO_DECLARE_SERIAL(class_name)                                                            \
    KUBO_DECLARE_DYNAMIC(class_name)                                                               \
    static std::unique_ptr<CObject> CreateObject();

#define KUBO_IMPLEMENT_DYNAMIC(class_name, base_name)                                              \
    const CRuntimeClass class_name::class##class_name = {#class_name, 0xFFFF,                      \
                                                         KUBO_RUNTIME_CLASS(base_name), nullptr};  \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                                     \
        return KUBO_RUNTIME_CLASS(class_name);                                                     \
    }

#define KUBO_IMPLEMENT_SERIAL(class_name, base_name, schema)                                       \
    std::unique_ptr<CObject> class_name::CreateObject() { return std::make_unique<class_name>(); } \
    const CRuntimeClass class_name::class##class_name = {                                          \
        #class_name, schema, KUBO_RUNTIME_CLASS(base_name), &class_name::CreateObject};            \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                                     \
        return KUBO_RUNTIME_CLASS(class_name);                                                     \
    }                                                                                              \
    namespace {                                                                                    \
    [[maybe_unused]] const bool kRegistered##class_name =                                          \
        (CRuntimeClass::Register(KUBO_RUNTIME_CLASS(class_name)), true);                           \
    }

// A checked downcast: the object when it is of class T (or derived), else null.
template <class T>
T* DynamicDowncast(CObject* obj) {
    return obj && obj->IsKindOf(T::GetThisClass()) ? static_cast<T*>(obj) : nullptr;
}
template <class T>
const T* DynamicDowncast(const CObject* obj) {
    return obj && obj->IsKindOf(T::GetThisClass()) ? static_cast<const T*>(obj) : nullptr;
}
