#pragma once

// What the user may do with the loaded show. The first flag decides whether the change log can be
// edited; it is false while the show's change log is read-only.
struct Permissions {
    bool edit = false;
    bool admin = false;
};
