#pragma once

#include "Foundation/IndexPath.h"

// The action of the file sheet that the presenting screen carries out itself.
class AlertActionDelegate {
  public:
    virtual ~AlertActionDelegate() = default;
    // "Delete" was chosen on the sheet of the item at `indexPath`.
    virtual void didRequestDelete(const IndexPath& indexPath) = 0;
};
