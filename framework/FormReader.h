// A form's stored description: nested `object Name: TClass ... end` blocks of published property
// values, read into live components and written back. A collection property holds its items inline:
// `Panels = <item Width = 420 end item end>`, or `<>` for none. Portable: no Windows headers.
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
// before their properties are set in stored order. Stored items replace a collection's items; the
// collection is told once, when all of them are read. Handler names are bound through
// root->MethodAddress. A property that names a component (Images = ImageList1, or nil) is set once
// every component exists, so it may name one stored further down. Loaded() runs on root and then on
// each created component once the whole description has been read. On error, what was created stays
// owned by `root` and no Loaded() runs.
void ReadComponentText(TComponent* root, const std::string& text);

// Writes root and the components it owns (nested by GetParentComponent) so that reading the text
// gives the same property values. Components leave out what a freshly created instance already
// has; the root keeps all of its properties. Event handlers are not written: a bound handler does
// not know its own name.
std::string WriteComponentText(const TComponent* root);
