// SPDX-License-Identifier: GPL-3.0-or-later
/*
 * fakewmi.dll - a stand-in for the Windows management service (WMI) in a Wine prefix, for
 * testing Linvox's port search: it answers "Select * From Win32_POTSModem" with the modems named
 * in the environment variable FAKEWMI_MODEMS, and every other query with no objects.
 *
 * Wine 8's own provider (wbemprox) has no Win32_POTSModem class: it answers the query without
 * error and with no objects, and has no setting that adds any. Registering this library as the
 * in-process server of CLSID_WbemLocator in a prefix replaces it there.
 *
 *   FAKEWMI_MODEMS  "COM3=Name one;COM4=Name two": AttachedTo and Name of each modem, in order;
 *                   a value <null> is reported as VT_NULL
 *   FAKEWMI_LOG     a file to which each query is appended (UTF-16 is converted to UTF-8)
 *
 * Only what a client of IWbemLocator::ConnectServer, CoSetProxyBlanket, IWbemServices::ExecQuery,
 * IEnumWbemClassObject::Next and IWbemClassObject::Get needs is implemented; every other method
 * answers WBEM_E_NOT_SUPPORTED.
 */
#define COBJMACROS
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemcli.h>

#include <stdio.h>
#include <wchar.h>

enum { kMostModems = 64, kMostMethods = 32 };

typedef HRESULT(STDMETHODCALLTYPE *Method)(void);

typedef struct Modem {
    BSTR attached_to;
    BSTR name;
} Modem;

static Modem g_modems[kMostModems];
static int g_modem_count;

/* Every object here: a table of methods first, as COM expects, then its count of references. */
typedef struct Object {
    const Method *methods;
    LONG references;
} Object;

typedef struct Services {
    Object object;
    Object security; /* IClientSecurity, so that CoSetProxyBlanket succeeds */
} Services;

typedef struct Enumerator {
    Object object;
    int next;
    BOOL modems;
} Enumerator;

typedef struct ClassObject {
    Object object;
    int modem;
} ClassObject;

static HRESULT STDMETHODCALLTYPE not_supported(void) {
    return WBEM_E_NOT_SUPPORTED;
}

static void log_query(const wchar_t *query) {
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"FAKEWMI_LOG", path, MAX_PATH)) {
        return;
    }
    char text[1024];
    const int length = WideCharToMultiByte(CP_UTF8, 0, query, -1, text, sizeof text, NULL, NULL);
    FILE *log = _wfopen(path, L"ab");
    if (log && length > 0) {
        fprintf(log, "%s\n", text);
    }
    if (log) {
        fclose(log);
    }
}

static void read_modems(void) {
    static wchar_t list[8192];
    if (g_modem_count > 0 || !GetEnvironmentVariableW(L"FAKEWMI_MODEMS", list, 8192)) {
        return;
    }
    wchar_t *state = NULL;
    for (wchar_t *entry = wcstok_s(list, L";", &state); entry && g_modem_count < kMostModems;
         entry = wcstok_s(NULL, L";", &state)) {
        wchar_t *equals = wcschr(entry, L'=');
        if (!equals) {
            continue;
        }
        *equals = L'\0';
        Modem *modem = &g_modems[g_modem_count++];
        modem->attached_to = wcscmp(entry, L"<null>") ? SysAllocString(entry) : NULL;
        modem->name = wcscmp(equals + 1, L"<null>") ? SysAllocString(equals + 1) : NULL;
    }
}

/* IUnknown for every object; interfaces lists the IIDs it answers to besides IUnknown. */
static HRESULT query(Object *object, REFIID iid, void **out, const IID *const *interfaces) {
    if (!out) {
        return E_POINTER;
    }
    BOOL known = IsEqualIID(iid, &IID_IUnknown);
    for (const IID *const *each = interfaces; !known && *each; ++each) {
        known = IsEqualIID(iid, *each);
    }
    if (!known) {
        *out = NULL;
        return E_NOINTERFACE;
    }
    InterlockedIncrement(&object->references);
    *out = object;
    return S_OK;
}

static ULONG STDMETHODCALLTYPE add_reference(Object *object) {
    return (ULONG)InterlockedIncrement(&object->references);
}

static ULONG STDMETHODCALLTYPE release(Object *object) {
    const LONG left = InterlockedDecrement(&object->references);
    if (left == 0) {
        CoTaskMemFree(object);
    }
    return (ULONG)left;
}

/* A table of count methods, all not_supported but the three of IUnknown and those given. */
static void fill_methods(Method *methods, int count, Method query_interface) {
    for (int i = 0; i < count; ++i) {
        methods[i] = not_supported;
    }
    methods[0] = query_interface;
    methods[1] = (Method)(void *)add_reference;
    methods[2] = (Method)(void *)release;
}

static Method g_class_object_methods[27];
static Method g_enumerator_methods[8];
static Method g_services_methods[26];
static Method g_security_methods[6];
static Method g_locator_methods[4];
static Method g_factory_methods[5];

static void *new_object(size_t size, const Method *methods) {
    Object *object = CoTaskMemAlloc(size);
    if (object) {
        ZeroMemory(object, size);
        object->methods = methods;
        object->references = 1;
    }
    return object;
}

/* IWbemClassObject */
static HRESULT STDMETHODCALLTYPE class_object_query(Object *object, REFIID iid, void **out) {
    static const IID *const kInterfaces[] = {&IID_IWbemClassObject, NULL};
    return query(object, iid, out, kInterfaces);
}

static HRESULT STDMETHODCALLTYPE class_object_get(ClassObject *object, LPCWSTR name, LONG flags,
                                                  VARIANT *value, CIMTYPE *type, LONG *flavor) {
    (void)flags;
    const Modem *modem = &g_modems[object->modem];
    BSTR text;
    if (!_wcsicmp(name, L"AttachedTo")) {
        text = modem->attached_to;
    } else if (!_wcsicmp(name, L"Name")) {
        text = modem->name;
    } else {
        return WBEM_E_NOT_FOUND;
    }
    if (type) {
        *type = CIM_STRING;
    }
    if (flavor) {
        *flavor = WBEM_FLAVOR_ORIGIN_SYSTEM;
    }
    if (value) {
        VariantInit(value);
        if (text) {
            V_VT(value) = VT_BSTR;
            V_BSTR(value) = SysAllocStringLen(text, SysStringLen(text));
        } else {
            V_VT(value) = VT_NULL;
        }
    }
    return WBEM_S_NO_ERROR;
}

/* IEnumWbemClassObject */
static HRESULT STDMETHODCALLTYPE enumerator_query(Object *object, REFIID iid, void **out) {
    static const IID *const kInterfaces[] = {&IID_IEnumWbemClassObject, NULL};
    return query(object, iid, out, kInterfaces);
}

static HRESULT STDMETHODCALLTYPE enumerator_reset(Enumerator *enumerator) {
    enumerator->next = 0;
    return WBEM_S_NO_ERROR;
}

static HRESULT STDMETHODCALLTYPE enumerator_next(Enumerator *enumerator, LONG timeout,
                                                 ULONG wanted, IWbemClassObject **objects,
                                                 ULONG *returned) {
    (void)timeout;
    if (!objects || !returned) {
        return WBEM_E_INVALID_PARAMETER;
    }
    ULONG given = 0;
    const int count = enumerator->modems ? g_modem_count : 0;
    while (given < wanted && enumerator->next < count) {
        ClassObject *object = new_object(sizeof *object, g_class_object_methods);
        if (!object) {
            break;
        }
        object->modem = enumerator->next++;
        objects[given++] = (IWbemClassObject *)object;
    }
    *returned = given;
    return given == wanted ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
}

/* IWbemServices */
static HRESULT STDMETHODCALLTYPE services_query(Services *services, REFIID iid, void **out) {
    if (out && IsEqualIID(iid, &IID_IClientSecurity)) {
        InterlockedIncrement(&services->object.references);
        *out = &services->security;
        return S_OK;
    }
    static const IID *const kInterfaces[] = {&IID_IWbemServices, NULL};
    return query(&services->object, iid, out, kInterfaces);
}

static HRESULT STDMETHODCALLTYPE services_exec_query(Services *services, BSTR language,
                                                     BSTR text, LONG flags, IWbemContext *context,
                                                     IEnumWbemClassObject **result) {
    (void)services;
    (void)language;
    (void)flags;
    (void)context;
    if (!result || !text) {
        return WBEM_E_INVALID_PARAMETER;
    }
    log_query(text);
    Enumerator *enumerator = new_object(sizeof *enumerator, g_enumerator_methods);
    if (!enumerator) {
        return WBEM_E_OUT_OF_MEMORY;
    }
    wchar_t lower[512];
    lstrcpynW(lower, text, 512);
    CharLowerW(lower);
    enumerator->modems = wcsstr(lower, L"win32_potsmodem") != NULL;
    *result = (IEnumWbemClassObject *)enumerator;
    return WBEM_S_NO_ERROR;
}

/* IClientSecurity, inside the services object */
static Services *services_of(Object *security) {
    return (Services *)((char *)security - offsetof(Services, security));
}

static HRESULT STDMETHODCALLTYPE security_query(Object *security, REFIID iid, void **out) {
    return services_query(services_of(security), iid, out);
}

static ULONG STDMETHODCALLTYPE security_add_reference(Object *security) {
    return add_reference(&services_of(security)->object);
}

static ULONG STDMETHODCALLTYPE security_release(Object *security) {
    return release(&services_of(security)->object);
}

static HRESULT STDMETHODCALLTYPE security_set_blanket(void) {
    return S_OK;
}

/* IWbemLocator */
static HRESULT STDMETHODCALLTYPE locator_query(Object *object, REFIID iid, void **out) {
    static const IID *const kInterfaces[] = {&IID_IWbemLocator, NULL};
    return query(object, iid, out, kInterfaces);
}

static HRESULT STDMETHODCALLTYPE locator_connect(Object *locator, BSTR space, BSTR user,
                                                 BSTR password, BSTR locale, LONG flags,
                                                 BSTR authority, IWbemContext *context,
                                                 IWbemServices **services) {
    (void)locator;
    (void)space;
    (void)user;
    (void)password;
    (void)locale;
    (void)flags;
    (void)authority;
    (void)context;
    if (!services) {
        return WBEM_E_INVALID_PARAMETER;
    }
    Services *made = new_object(sizeof *made, g_services_methods);
    if (!made) {
        return WBEM_E_OUT_OF_MEMORY;
    }
    made->security.methods = g_security_methods;
    *services = (IWbemServices *)made;
    return WBEM_S_NO_ERROR;
}

/* IClassFactory, one for the process */
static HRESULT STDMETHODCALLTYPE factory_query(Object *object, REFIID iid, void **out) {
    static const IID *const kInterfaces[] = {&IID_IClassFactory, NULL};
    return query(object, iid, out, kInterfaces);
}

static ULONG STDMETHODCALLTYPE factory_reference(Object *object) {
    (void)object;
    return 2;
}

static HRESULT STDMETHODCALLTYPE factory_create(Object *factory, IUnknown *outer, REFIID iid,
                                                void **out) {
    (void)factory;
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    Object *locator = new_object(sizeof *locator, g_locator_methods);
    if (!locator) {
        return E_OUTOFMEMORY;
    }
    const HRESULT result = locator_query(locator, iid, out);
    release(locator);
    return result;
}

static HRESULT STDMETHODCALLTYPE factory_lock(Object *factory, BOOL lock) {
    (void)factory;
    (void)lock;
    return S_OK;
}

static Object g_factory = {g_factory_methods, 1};

static void fill_tables(void) {
    fill_methods(g_class_object_methods, 27, (Method)(void *)class_object_query);
    g_class_object_methods[4] = (Method)(void *)class_object_get;
    fill_methods(g_enumerator_methods, 8, (Method)(void *)enumerator_query);
    g_enumerator_methods[3] = (Method)(void *)enumerator_reset;
    g_enumerator_methods[4] = (Method)(void *)enumerator_next;
    fill_methods(g_services_methods, 26, (Method)(void *)services_query);
    g_services_methods[20] = (Method)(void *)services_exec_query;
    fill_methods(g_security_methods, 6, (Method)(void *)security_query);
    g_security_methods[1] = (Method)(void *)security_add_reference;
    g_security_methods[2] = (Method)(void *)security_release;
    g_security_methods[4] = security_set_blanket;
    fill_methods(g_locator_methods, 4, (Method)(void *)locator_query);
    g_locator_methods[3] = (Method)(void *)locator_connect;
    fill_methods(g_factory_methods, 5, (Method)(void *)factory_query);
    g_factory_methods[1] = (Method)(void *)factory_reference;
    g_factory_methods[2] = (Method)(void *)factory_reference;
    g_factory_methods[3] = (Method)(void *)factory_create;
    g_factory_methods[4] = (Method)(void *)factory_lock;
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void **out) {
    if (!IsEqualCLSID(clsid, &CLSID_WbemLocator)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory_query(&g_factory, iid, out);
}

HRESULT WINAPI DllCanUnloadNow(void) {
    return S_FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        fill_tables();
        read_modems();
    }
    return TRUE;
}
