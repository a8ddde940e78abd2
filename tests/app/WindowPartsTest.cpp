#include "app/AnchorLayout.h"
#include "app/ApplicationTitle.h"
#include "app/CommandGuard.h"
#include "app/Dialogs.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(ApplicationTitle, IsTheFileNameWithoutExtensionLowerCasedAfterTheFirstLetter)
{
    EXPECT_EQ(ApplicationTitleOf("/usr/local/bin/tessaroo"), "tessaroo");
    EXPECT_EQ(ApplicationTitleOf("/opt/TESSAROO.EXE"), "Tessaroo");
    EXPECT_EQ(ApplicationTitleOf("My.Tool.bin"), "My.tool");
    EXPECT_EQ(ApplicationTitleOf("/"), "");
}

// A display name would be appended by the platform to every window's caption, so the
// window would read "Tessaroo - 1.0.0.1 — tessaroo"; the message boxes get the title themselves.
TEST(ApplicationTitle, IsGivenToMessageBoxesAndToNoOtherCaption)
{
    const QString applicationName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("Name without display name");
    const QString displayName = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(applicationName);
    EXPECT_EQ(displayName, "Name without display name") << "a display name is set";

    QString shownTitle;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            shownTitle = box->windowTitle();
            box->close();
        }
    });
    TQtDialogs().ShowMessage(nullptr, "Could not log in.");
    EXPECT_EQ(shownTitle, "app_tests");
}

TEST(AnchorLayout, KeepsAnchoredEdgesAndStretchesBetweenOppositeAnchors)
{
    QWidget window;
    QWidget fixed(&window), right(&window), stretched(&window), bottom(&window);
    TAnchorLayout layout(QSize(100, 50));
    layout.Add(&fixed, QRect(10, 10, 20, 5), akLeft | akTop);
    layout.Add(&right, QRect(70, 10, 20, 5), akTop | akRight);
    layout.Add(&stretched, QRect(10, 20, 80, 20), akLeft | akTop | akRight | akBottom);
    layout.Add(&bottom, QRect(0, 45, 100, 5), akLeft | akRight | akBottom);
    layout.Apply(QSize(130, 60));
    EXPECT_EQ(fixed.geometry(), QRect(10, 10, 20, 5));
    EXPECT_EQ(right.geometry(), QRect(100, 10, 20, 5));
    EXPECT_EQ(stretched.geometry(), QRect(10, 20, 110, 30));
    EXPECT_EQ(bottom.geometry(), QRect(0, 55, 130, 5));
}

TEST(CommandGuard, EnablesTheControlsAgainOnEveryPath)
{
    QWidget a, b;
    TCommandGuard guard({&a, &b});
    EXPECT_THROW(guard.Run([&] {
        EXPECT_FALSE(a.isEnabled());
        EXPECT_FALSE(guard.Run([] { ADD_FAILURE() << "nested command ran"; }));
        throw std::runtime_error("failed");
    }),
                 std::runtime_error);
    EXPECT_TRUE(a.isEnabled());
    EXPECT_TRUE(b.isEnabled());
    EXPECT_FALSE(guard.IsBusy());
    EXPECT_TRUE(guard.Run([] {}));
}

TEST(CommandGuard, DefersACloseOnlyWhileBusy)
{
    TCommandGuard guard({});
    EXPECT_FALSE(guard.DeferClose());
    EXPECT_FALSE(guard.TakeDeferredClose());
    guard.Run([&] { EXPECT_TRUE(guard.DeferClose()); });
    EXPECT_TRUE(guard.TakeDeferredClose());
    EXPECT_FALSE(guard.TakeDeferredClose());
}

}  // namespace
