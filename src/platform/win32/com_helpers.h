#pragma once
// A small late-binding helper: BSTRs from and to UTF-8 and calls by member name through
// IDispatch with errors as Failure (the owned COM types are in owned.h).
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/owned.h"
#include "platform/win32/utf8.h"

namespace torvel::com {

// The text of a BSTR in UTF-8.
inline std::string FromBstr(BSTR text) {
  return Utf8(std::wstring_view(text, text ? SysStringLen(text) : 0));
}

// The system's text for an HRESULT, without the line end; "unknown error" when there is none.
std::string HresultText(HRESULT hr);
// Throws Failure(hr, HresultText(hr)).
[[noreturn]] void Throw(HRESULT hr);

// The DISPID of a member; throws Failure when the object does not know the name.
DISPID DispIdOf(IDispatch* object, const std::string& name);

// Invokes a member by name with `args` in their natural order (the last one first on the
// wire, as IDispatch wants them). `flags` is DISPATCH_METHOD, _PROPERTYGET, _PROPERTYPUT or
// _PROPERTYPUTREF (or a combination of the first two). Throws Failure with the server's
// exception text when the call raised one.
Variant Invoke(IDispatch* object, const std::string& name, WORD flags, std::vector<Variant>& args);

}  // namespace torvel::com
