#include "app/QSettingsKeyValueStore.h"
#include "model/GbkCodec.h"
#include "model/ZSettingsStore.h"

#include <QTemporaryDir>
#include <QtTest>

class TestQSettingsKeyValueStore : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath("qen.ini");
        QFile::remove(m_path);
    }

    void valuesKeepTheirTypesAcrossInstances()
    {
        {
            QSettingsKeyValueStore s(m_path);
            s.WriteInt("System State", "LabelOn", 0);
            s.WriteInt("System Color", "Pipe", 0xFF0000);
            s.SetDouble("System State", "ZoomInScale", 2.0 / 3.0);
            s.SetDate("System Template", "PipeDate", 946684800u);
            s.WriteString("MultiPipeLabel", "PipeSep", "a,b;c");
            s.WriteBinary("SYSTEM", "FrameRect", {1, 0, 0, 0, 2, 0, 0, 0});
            s.Sync();
        }
        QSettingsKeyValueStore s(m_path);
        QCOMPARE(s.ReadInt("System State", "LabelOn").value_or(-1), 0);
        QCOMPARE(s.ReadInt("System Color", "Pipe").value_or(-1), 0xFF0000);
        QCOMPARE(s.GetDouble("System State", "ZoomInScale", 0.0), 2.0 / 3.0);
        QCOMPARE(s.GetDate("System Template", "PipeDate", 0), 946684800u);
        QCOMPARE(QString::fromStdString(s.GetString("MultiPipeLabel", "PipeSep", "")), QStringLiteral("a,b;c"));
        QCOMPARE(s.ReadBinary("SYSTEM", "FrameRect")->size(), size_t(8));
        QVERIFY(!s.ReadInt("System State", "Missing").has_value());
    }

    void binaryValuesAreNotIntegersOrStrings()
    {
        QSettingsKeyValueStore s(m_path);
        s.SetDouble("System State", "ZoomOutScale", 1.5);
        QVERIFY(!s.ReadInt("System State", "ZoomOutScale").has_value());
        QVERIFY(!s.ReadString("System State", "ZoomOutScale").has_value());
        s.WriteInt("System State", "ZoomInScale", 3);
        QCOMPARE(s.GetDouble("System State", "ZoomInScale", 0.25), 0.25);
        s.WriteString("System State", "SelectMode", "crossing");
        QVERIFY(!s.ReadInt("System State", "SelectMode").has_value());
        s.WriteBinary("System State", "Short", {1, 2, 3});
        QCOMPARE(s.GetDouble("System State", "Short", 7.0), 7.0);
    }

    void chineseTextsStayGbkInTheModel()
    {
        const std::string gbk = GbkCodec::FromUtf8("流量=").Bytes();
        {
            QSettingsKeyValueStore s(m_path);
            s.WriteString("MultiNodeLabel", "NodeFlow", gbk);
            s.Sync();
        }
        QSettingsKeyValueStore s(m_path);
        QCOMPARE(s.GetString("MultiNodeLabel", "NodeFlow", ""), gbk);
        QCOMPARE(s.Settings().value("MultiNodeLabel/NodeFlow").toString(), QStringLiteral("流量="));
    }

    void settingsStoreRoundTrip()
    {
        {
            ZSettingsStore a;
            a.ZoomOutScale = 3.0;
            a.Colors().NodeGradeColors.resize(7, 0x123456);
            a.LabelTip().NodeFlow = GbkCodec::FromUtf8("水量:");
            QSettingsKeyValueStore s(m_path);
            a.Save(s);
            s.Sync();
        }
        QSettingsKeyValueStore s(m_path);
        ZSettingsStore b;
        b.Load(s);
        QCOMPARE(b.ZoomOutScale, 3.0);
        QCOMPARE(b.Colors().NodeGradeColors.size(), size_t(7));
        QCOMPARE(b.Colors().NodeGradeColors[6], 0x123456u);
        QCOMPARE(b.LabelTip().NodeFlow, GbkCodec::FromUtf8("水量:"));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestQSettingsKeyValueStore)
#include "test_QSettingsKeyValueStore.moc"
