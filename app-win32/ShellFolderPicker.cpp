#include "ShellFolderPicker.h"

#include "ScriptError.h"
#include "Win32Text.h"

#include <windows.h>
#include <oleauto.h>

#include <array>
#include <utility>

namespace markroll {
namespace {

// Raised where the automation call fails, as the script runtime numbers it.
constexpr int CannotCreateObject = 429;
constexpr int AutomationError = 440;

class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* get() { return &value_; }
    const VARIANT& operator*() const { return value_; }

private:
    VARIANT value_;
};

// One late-bound automation object, released when it goes out of scope.
class Dispatch {
public:
    explicit Dispatch(IDispatch* object = nullptr) : object_(object) {}
    ~Dispatch()
    {
        if (object_)
            object_->Release();
    }
    Dispatch(Dispatch&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;
    explicit operator bool() const { return object_ != nullptr; }

    // Calls a member by name; `arguments` are in the order a script writes them.
    void invoke(const wchar_t* name, WORD kind, std::initializer_list<VARIANT> arguments, Variant& result) const
    {
        DISPID member = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member)))
            throw ScriptError(AutomationError, "no such member");
        std::array<VARIANT, 4> reversed{};
        std::size_t count = 0;
        for (auto it = std::rbegin(arguments); it != std::rend(arguments); ++it)
            reversed[count++] = *it;
        DISPPARAMS parameters{reversed.data(), nullptr, UINT(count), 0};
        if (FAILED(object_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result.get(), nullptr, nullptr)))
            throw ScriptError(AutomationError, "the call failed");
    }

    Dispatch call(const wchar_t* name) const
    {
        Variant result;
        invoke(name, DISPATCH_METHOD, {}, result);
        return objectOf(result);
    }

    static Dispatch objectOf(Variant& value)
    {
        if ((*value).vt != VT_DISPATCH || !(*value).pdispVal)
            return Dispatch();
        IDispatch* object = (*value).pdispVal;
        object->AddRef();
        return Dispatch(object);
    }

private:
    IDispatch* object_;
};

Dispatch createShellApplication()
{
    CLSID shell{};
    IDispatch* object = nullptr;
    if (FAILED(CLSIDFromProgID(L"Shell.Application", &shell))
        || FAILED(CoCreateInstance(shell, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&object))))
        throw ScriptError(CannotCreateObject, "Shell.Application cannot be created");
    return Dispatch(object);
}

VARIANT integerArgument(VARTYPE type, LONG value)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = type;
    if (type == VT_I2)
        argument.iVal = SHORT(value);
    else
        argument.lVal = value;
    return argument;
}

// An omitted optional argument, as late binding passes it.
VARIANT omittedArgument()
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_ERROR;
    argument.scode = DISP_E_PARAMNOTFOUND;
    return argument;
}

} // namespace

std::optional<std::u16string> ShellFolderPicker::browseForFolder(WindowHandle owner, std::u16string_view title)
{
    const Dispatch shell = createShellApplication();
    Variant titleText;
    (*titleText.get()).vt = VT_BSTR;
    (*titleText.get()).bstrVal = SysAllocString(toWide(title).c_str());
    Variant chosen;
    shell.invoke(L"BrowseForFolder", DISPATCH_METHOD,
                 {integerArgument(VT_I4, LONG(owner)), *titleText, integerArgument(VT_I2, 0), omittedArgument()}, chosen);
    const Dispatch folder = Dispatch::objectOf(chosen);
    if (!folder)
        return std::nullopt;
    const Dispatch items = folder.call(L"Items");
    const Dispatch item = items ? items.call(L"Item") : Dispatch();
    if (!item)
        throw ScriptError(AutomationError, "the chosen folder has no item");
    Variant path;
    item.invoke(L"Path", DISPATCH_PROPERTYGET, {}, path);
    if ((*path).vt != VT_BSTR)
        throw ScriptError(AutomationError, "the chosen folder has no path");
    return fromWide((*path).bstrVal ? std::wstring_view((*path).bstrVal, SysStringLen((*path).bstrVal)) : std::wstring_view());
}

} // namespace markroll
