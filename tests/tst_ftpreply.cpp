#include "shell/FtpAddress.h"
#include "shell/FtpReply.h"

#include <QTest>

// What the upload reads from an FTP server: replies on the control
// connection, the address of a PASV reply, the Host setting, and the
// argument of PORT.
class TestFtpReply : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void malformed_data();
    void malformed();
    void hostSetting_data();
    void hostSetting();
    void passiveReply_data();
    void passiveReply();
    void portArgument();
};

namespace {

// "code:line|line" for each reply, so that rows read as what they mean.
QStringList describe(const QList<FtpReply> &replies)
{
    QStringList result;
    for (const FtpReply &reply : replies)
        result.append(QString::number(reply.code) + u':' + reply.lines.join(u'|'));
    return result;
}

QList<FtpReply> takeAll(FtpReplyParser &parser)
{
    QList<FtpReply> replies;
    while (std::optional<FtpReply> reply = parser.takeReply())
        replies.append(*reply);
    return replies;
}

} // namespace

void TestFtpReply::replies_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one line") << QByteArray("220 Ready\r\n") << QStringList{"220:Ready"};
    QTest::newRow("LF alone") << QByteArray("220 Ready\n") << QStringList{"220:Ready"};
    QTest::newRow("code alone") << QByteArray("221\r\n") << QStringList{"221:"};
    QTest::newRow("no line end yet") << QByteArray("220 Ready") << QStringList();
    QTest::newRow("two in one read") << QByteArray("331 Password\r\n230 Logged in\r\n")
                                     << QStringList{"331:Password", "230:Logged in"};
    QTest::newRow("multi-line") << QByteArray("230-Welcome\r\n to us\r\n230 Logged in\r\n")
                                << QStringList{"230:Welcome| to us|Logged in"};
    QTest::newRow("multi-line, coded lines")
        << QByteArray("230-a\r\n230-b\r\n230 c\r\n") << QStringList{"230:a|b|c"};
    // Only the reply's own code and a blank end it.
    QTest::newRow("multi-line, other codes inside")
        << QByteArray("211-Features\r\n211x\r\n150 not the end\r\n 211 nor this\r\n211 End\r\n")
        << QStringList{"211:Features|211x|150 not the end| 211 nor this|End"};
    QTest::newRow("multi-line, unfinished") << QByteArray("230-Welcome\r\n") << QStringList();
    QTest::newRow("blank line between")
        << QByteArray("\r\n220 Ready\r\n\n") << QStringList{"220:Ready"};
    QTest::newRow("UTF-8 text") << QByteArray("257 \"/Raporty/\xc5\xbb\xc3\xb3\xc5\x82w\"\r\n")
                                << QStringList{QStringLiteral("257:\"/Raporty/Żółw\"")};
    QTest::newRow("CR inside a line stays")
        << QByteArray("220 a\rb\r\n") << QStringList{"220:a\rb"};
}

void TestFtpReply::replies()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    FtpReplyParser whole;
    whole.append(bytes);
    QCOMPARE(describe(takeAll(whole)), expected);
    QVERIFY(!whole.isMalformed());

    // However the network cuts the bytes, the replies are the same.
    FtpReplyParser byteByByte;
    QList<FtpReply> replies;
    for (char byte : bytes) {
        byteByByte.append(QByteArrayView(&byte, 1));
        replies += takeAll(byteByByte);
    }
    QCOMPARE(describe(replies), expected);
    QVERIFY(!byteByByte.isMalformed());
}

void TestFtpReply::malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("before");

    QTest::newRow("not FTP") << QByteArray("HTTP/1.1 400 Bad Request\r\n") << QStringList();
    QTest::newRow("two digits") << QByteArray("22 Ready\r\n") << QStringList();
    QTest::newRow("no blank after the code") << QByteArray("220x\r\n") << QStringList();
    QTest::newRow("code above 599") << QByteArray("600 Ready\r\n") << QStringList();
    QTest::newRow("code below 100") << QByteArray("099 Ready\r\n") << QStringList();
    QTest::newRow("after a good reply")
        << QByteArray("220 Ready\r\nGARBAGE\r\n230 x\r\n") << QStringList{"220:Ready"};
    QTest::newRow("endless line")
        << QByteArray(FtpReplyParser::MaxReplySize + 1, 'x').prepend("220 ") << QStringList();
    QTest::newRow("too long a line, ended")
        << QByteArray(FtpReplyParser::MaxReplySize, 'x').prepend("220 ").append("\r\n")
        << QStringList();
    QTest::newRow("endless multi-line reply")
        << QByteArray("220-a\r\n").append(QByteArray(" line\r\n").repeated(20000)) << QStringList();
}

void TestFtpReply::malformed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, before);

    FtpReplyParser parser;
    parser.append(bytes);
    QCOMPARE(describe(takeAll(parser)), before);
    QVERIFY(parser.isMalformed());
    // Nothing after the break is taken for a reply.
    parser.append("230 Logged in\r\n");
    QVERIFY(!parser.takeReply());
}

void TestFtpReply::hostSetting_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("host"); // empty: no server
    QTest::addColumn<int>("port");

    QTest::newRow("name") << "ftp.example.com"
                          << "ftp.example.com" << 21;
    QTest::newRow("address and port") << "10.0.0.7:2121"
                                      << "10.0.0.7" << 2121;
    QTest::newRow("blanks around") << "  10.0.0.7:21  "
                                   << "10.0.0.7" << 21;
    QTest::newRow("highest port") << "h:65535"
                                  << "h" << 65535;
    QTest::newRow("bare IPv6") << "::1"
                               << "::1" << 21;
    QTest::newRow("bracketed IPv6") << "[::1]"
                                    << "::1" << 21;
    QTest::newRow("bracketed IPv6 and port") << "[fe80::1]:990"
                                             << "fe80::1" << 990;
    QTest::newRow("empty") << ""
                           << "" << 0;
    QTest::newRow("port alone") << ":21"
                                << "" << 0;
    QTest::newRow("colon, no port") << "h:"
                                    << "" << 0;
    QTest::newRow("port 0") << "h:0"
                            << "" << 0;
    QTest::newRow("port too high") << "h:65536"
                                   << "" << 0;
    QTest::newRow("signed port") << "h:+21"
                                 << "" << 0;
    QTest::newRow("port and text") << "h:21x"
                                   << "" << 0;
    QTest::newRow("unclosed bracket") << "[::1"
                                      << "" << 0;
    QTest::newRow("text after bracket") << "[::1]x"
                                        << "" << 0;
}

void TestFtpReply::hostSetting()
{
    QFETCH(QString, setting);
    QFETCH(QString, host);
    QFETCH(int, port);

    const std::optional<FtpEndpoint> endpoint = FtpAddress::parseHostSetting(setting);
    QCOMPARE(endpoint.has_value(), !host.isEmpty());
    if (endpoint) {
        QCOMPARE(endpoint->host, host);
        QCOMPARE(int(endpoint->port), port);
    }
}

void TestFtpReply::passiveReply_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("endpoint"); // empty: none

    QTest::newRow("usual") << "Entering Passive Mode (127,0,0,1,4,1)."
                           << "127.0.0.1:1025";
    QTest::newRow("no parentheses") << "Entering Passive Mode 10,1,2,3,200,10"
                                    << "10.1.2.3:51210";
    QTest::newRow("blanks") << "=(10, 1, 2, 3, 0, 21)"
                            << "10.1.2.3:21";
    QTest::newRow("number above 255") << "(256,0,0,1,4,1)"
                                      << "";
    QTest::newRow("port 0") << "(127,0,0,1,0,0)"
                            << "";
    QTest::newRow("five numbers") << "(127,0,0,1,4)"
                                  << "";
    QTest::newRow("none") << "Entering Passive Mode"
                          << "";
}

void TestFtpReply::passiveReply()
{
    QFETCH(QString, text);
    QFETCH(QString, endpoint);

    const std::optional<FtpEndpoint> parsed = FtpAddress::parsePassiveReply(text);
    QCOMPARE(parsed ? parsed->toString() : QString(), endpoint);
}

void TestFtpReply::portArgument()
{
    QCOMPARE(FtpAddress::portArgument(QHostAddress(QStringLiteral("127.0.0.1")), 1025),
             QByteArray("127,0,0,1,4,1"));
    QCOMPARE(FtpAddress::portArgument(QHostAddress(QStringLiteral("192.168.10.200")), 65535),
             QByteArray("192,168,10,200,255,255"));
    // PORT carries IPv4 only.
    QCOMPARE(FtpAddress::portArgument(QHostAddress(QStringLiteral("::1")), 21), QByteArray());
}

QTEST_GUILESS_MAIN(TestFtpReply)
#include "tst_ftpreply.moc"
