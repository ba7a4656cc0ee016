#include <QLocale>
#include <gtest/gtest.h>

// Core tests run under a fixed locale; a test that needs another one sets it itself.
int main(int argc, char** argv)
{
    QLocale::setDefault(QLocale::c());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
