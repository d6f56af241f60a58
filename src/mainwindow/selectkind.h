#pragma once
// The kind selection: filters both users' records of the chosen kind, hides
// every record that has an identical twin on the other side, and lists the
// rest; then pairs near matches.
#include "mainwindow/session.h"
#include "mainwindow/twins.h"

namespace mirrin {

// Runs when the kind selector is clicked or its text is set.
void SelectKind(Session& s);

// The same with a chosen twin search: the plain search is the reference
// that tests and benchmarks hold the indexed one against.
void SelectKind(Session& s, TwinSearch search);

}  // namespace mirrin
