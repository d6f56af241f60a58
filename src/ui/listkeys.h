#pragma once
// The navigation keys of an entry list, the same in every toolkit: the
// arrow, page and Home/End keys move the selection as a click on the row
// they reach would.
#include "forms/control.h"
#include "forms/listbox.h"

namespace mirrin {

// The row the key moves to, -1 for keys that move nothing or an empty list.
// pageRows is how many rows a page key moves.
int ListNavigationTarget(const forms::ListBox& list, forms::KeyCode key, int pageRows);

// The operator pressed key in list: clicks the row it moves to. Moving onto
// the row already alone selected changes nothing, as in the classic list;
// from a multiple selection it selects that row only.
void ListNavigate(forms::ListBox& list, forms::KeyCode key, int pageRows);

}  // namespace mirrin
