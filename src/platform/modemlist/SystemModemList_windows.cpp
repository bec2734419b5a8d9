// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/modemlist/SystemModemList.h"

#include <optional>
#include <windows.h>
// The COM and management headers build on the declarations of windows.h.
#include <objbase.h>
#include <oleauto.h>
#include <wbemidl.h>

namespace linvox {
namespace {

// COM on the calling thread while the object lives. A thread that has COM already is only
// counted up (S_FALSE), which CoUninitialize pairs all the same; one in the other threading model
// (RPC_E_CHANGED_MODE) can use COM as it is and is left alone.
class ComApartment {
public:
    ComApartment() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(m_result)) {
            ::CoUninitialize();
        }
    }

    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // Whether COM can be used on this thread, as an HRESULT.
    HRESULT usable() const { return m_result == RPC_E_CHANGED_MODE ? S_OK : m_result; }

private:
    HRESULT m_result;
};

// A COM interface held once and released with the object.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() {
        if (m_interface != nullptr) {
            m_interface->Release();
        }
    }

    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* get() const { return m_interface; }
    Interface* operator->() const { return m_interface; }
    // Where a call that hands out an interface puts it; for an empty pointer only.
    Interface** out() { return &m_interface; }

private:
    Interface* m_interface = nullptr;
};

// A BSTR for an argument, freed with the object.
class BasicString {
public:
    explicit BasicString(const wchar_t* text) : m_text(::SysAllocString(text)) {}
    ~BasicString() { ::SysFreeString(m_text); }

    BasicString(const BasicString&) = delete;
    BasicString& operator=(const BasicString&) = delete;

    BSTR get() const { return m_text; }

private:
    BSTR m_text;
};

// A VARIANT that a call fills, cleared with the object.
class Variant {
public:
    Variant() { ::VariantInit(&m_value); }
    ~Variant() { ::VariantClear(&m_value); }

    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() { return &m_value; }

private:
    VARIANT m_value;
};

Failure Unreadable(FailureCode code, HRESULT result) {
    return Failure(code, {}, {}, static_cast<int>(result));
}

// The text of a property of modem, or nothing when it is missing or holds no text (such as
// VT_NULL, the management service's empty value).
std::optional<QString> TextProperty(IWbemClassObject* modem, const wchar_t* property) {
    Variant value;
    if (FAILED(modem->Get(property, 0, value.get(), nullptr, nullptr)) ||
        value.get()->vt != VT_BSTR) {
        return std::nullopt;
    }
    const BSTR text = value.get()->bstrVal;
    return QString::fromWCharArray(text, static_cast<qsizetype>(::SysStringLen(text)));
}

}  // namespace

Outcome<ModemListing> SystemModemList::Query() {
    // Declared first, so that every interface below is released before COM is let go.
    const ComApartment apartment;
    HRESULT result = apartment.usable();
    if (FAILED(result)) {
        return Unreadable(FailureCode::WmiUnavailable, result);
    }

    ComPointer<IWbemLocator> locator;
    result = ::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(locator.out()));
    if (FAILED(result)) {
        return Unreadable(FailureCode::WmiUnavailable, result);
    }
    // The local machine's root\cimv2, as the moniker winmgmts:\\.\root\cimv2 names it.
    const BasicString space(L"ROOT\\CIMV2");
    ComPointer<IWbemServices> services;
    result = locator->ConnectServer(space.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                    services.out());
    if (FAILED(result)) {
        return Unreadable(FailureCode::WmiUnavailable, result);
    }
    // The service acts as the user, as a moniker binding does by default.
    result = ::CoSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                 RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                 EOAC_NONE);
    if (FAILED(result)) {
        return Unreadable(FailureCode::WmiUnavailable, result);
    }

    const BasicString language(L"WQL");
    const BasicString query(L"Select * From Win32_POTSModem");
    ComPointer<IEnumWbemClassObject> modems;
    result = services->ExecQuery(language.get(), query.get(),
                                 WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                 modems.out());
    if (FAILED(result)) {
        return Unreadable(FailureCode::WmiQueryFailed, result);
    }

    ModemListing listing;
    for (;;) {
        ComPointer<IWbemClassObject> modem;
        ULONG returned = 0;
        // Next takes the timeout as a LONG, where WBEM_INFINITE (0xFFFFFFFF) reads as -1.
        result = modems->Next(static_cast<LONG>(WBEM_INFINITE), 1, modem.out(), &returned);
        if (FAILED(result)) {
            return Unreadable(FailureCode::WmiQueryFailed, result);
        }
        if (returned == 0) {
            return listing;
        }
        const std::optional<QString> attachedTo = TextProperty(modem.get(), L"AttachedTo");
        const std::optional<QString> name = TextProperty(modem.get(), L"Name");
        if (!attachedTo || !name) {
            return Failure(FailureCode::ModemPropertyNotText, {},
                           attachedTo ? QStringLiteral("Name") : QStringLiteral("AttachedTo"));
        }
        listing.entries.append({*attachedTo, *name});
    }
}

}  // namespace linvox
