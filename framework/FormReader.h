// A form's stored description: nested `object Name: TClass ... end` blocks of published property
// values, read into live components and written back. Portable: no Windows headers.
#pragma once

#include "TypInfo.h"

#include <string>

// Malformed or unknown content in a description. The message starts with "Line N: " and names
// the property, object or class concerned.
class EParserError : public EReadError {
    using EReadError::EReadError;
};

// Reads a description whose outermost object is `root` (its class must match). Nested objects are
// created owned by `root`, in stored order, named and given their enclosing object as parent
// before their properties are set in stored order. Handler names are bound through
// root->MethodAddress. A class property of a component class takes the name of a component of the
// description (or nil); a name that comes later in the text is resolved once the text is read. Loaded() runs
// on root and then on each created component once the whole description has been read. On error, what was
// created stays owned by `root` and no Loaded() runs.
void ReadComponentText(TComponent* root, const std::string& text);

// Writes root and the components it owns (nested by GetParentComponent) so that reading the text
// gives the same property values. Components leave out what a freshly created instance already
// has; the root keeps all of its properties. Event handlers are not written: a bound handler does
// not know its own name.
std::string WriteComponentText(const TComponent* root);
