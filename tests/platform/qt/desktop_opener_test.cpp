#include "platform/qt/desktop_opener.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QTest>
#include <QUrl>

namespace zelanto::platform {
namespace {

using namespace std::chrono_literals;

// Takes the URLs the desktop is asked to open, in place of xdg-open.
class UrlReceiver : public QObject {
    Q_OBJECT

public:
    UrlReceiver() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlReceiver() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(DesktopServicesOpener, LooksForTheViewersWindowUntilItIsMaximized) {
    const UrlReceiver desktop;
    std::vector<std::string> looks;
    DesktopServicesOpener opener(
        [&looks](const std::string& title) {
            looks.push_back(title);
            return looks.size() == 3;  // the viewer's window has appeared
        },
        1ms);

    ASSERT_TRUE(opener.openMaximized("/usr/share/zelanto/zelanto.CHM", "ZELANTO ヘルプ"));
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile("/usr/share/zelanto/zelanto.CHM")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return looks.size() == 3; }));
    QTest::qWait(20);
    EXPECT_EQ(looks, std::vector<std::string>(3, "ZELANTO ヘルプ")) << "no look once it is found";
}

TEST(DesktopServicesOpener, GivesUpLookingAfterItsPatience) {
    const UrlReceiver desktop;
    int looks = 0;
    DesktopServicesOpener opener([&looks](const std::string&) { return ++looks, false; }, 1ms,
                                 30ms);
    ASSERT_TRUE(opener.openMaximized("/a.CHM", "never shown"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return looks > 0; }));
    QTest::qWait(100);
    const int lookedUntil = looks;
    QTest::qWait(50);
    EXPECT_EQ(looks, lookedUntil);
}

}  // namespace
}  // namespace zelanto::platform

#include "desktop_opener_test.moc"
