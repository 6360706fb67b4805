#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/NSLayoutConstraint.h"

class UIView;

// Solves a view tree's constraints. Each view or guide that takes part has four unknowns
// (x, y, width, height in the root's layout space, where a view sits at its superview's
// position plus its frame origin). Equalities are taken in order of priority, each one kept
// when it agrees with the stronger ones already taken and dropped when it contradicts them;
// a required one that is dropped is logged. Inequalities join as equalities at their
// priority while the solution breaks them. Anything left undetermined keeps its current
// value.
class NSLayoutEngine {
  public:
    // Solves the tree under `root` and moves the views that constraints place.
    static void layout(UIView& root);
    // The size the view's own constraints give it when pulled towards `target` at the given
    // priorities; nothing is moved.
    static CGSize fittingSize(UIView& view, CGSize target, UILayoutPriority horizontal,
                              UILayoutPriority vertical);
};
