#pragma once
// The tests never touch the user's own folders: home, configuration, data
// and cache folders all point into the build tree.

namespace qrb::test {

// Sets HOME and the XDG folders of this process (and of the programs it
// starts) to folders of their own under the build tree.
void use_test_home();

}  // namespace qrb::test
