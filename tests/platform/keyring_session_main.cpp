// SPDX-License-Identifier: GPL-3.0-or-later
// Keyring tests stop, lock and restart the keyring and count its items, so each run gets a
// private session of its own instead of sharing the suite's keyring with other tests.
#include <QCoreApplication>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    if (!listing && std::getenv("BRISVANE_OWN_KEYRING_SESSION") == nullptr) {
        setenv("BRISVANE_OWN_KEYRING_SESSION", "1", 1);
        std::vector<char*> args{const_cast<char*>(BRISVANE_SOURCE_DIR "/tools/private-session"),
                                const_cast<char*>("/proc/self/exe")};
        args[1] = realpath("/proc/self/exe", nullptr);
        for (int i = 1; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        execv(args[0], args.data());
        perror("private-session");
        return 1;
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
