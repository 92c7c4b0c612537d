#pragma once
// Shared set-up of the data-model, data-item and rule tests: the real
// installation of the source tree (schema, rule script, templates, setting
// documents), a recording message sink, and helpers to load a template as
// text (optionally edited) or a scratch installation with a rule file or
// schema of the test's own.

#include "config/SettingDocuments.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "base/CTavoCPSException.h"
#include "support/RecordingSink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace tavo::test {

inline QString SourceInstall() { return QStringLiteral(TAVO_SOURCE_DIR "/install"); }
inline QString TemplatePath(const QString &model)
{
    return SourceInstall() + QStringLiteral("/profiletemplate/") + model + QStringLiteral(".kp2");
}

inline QString ReadAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

inline bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The template's text with each (from, to) replacement applied once.
inline QString TemplateText(const QString &model, const std::vector<std::pair<QString, QString>> &edits = {})
{
    QString text = ReadAll(TemplatePath(model));
    for (const auto &e : edits) {
        const int at = text.indexOf(e.first);
        EXPECT_GE(at, 0) << e.first.toStdString();
        if (at >= 0)
            text.replace(at, e.first.size(), e.second);
    }
    return text;
}

// A scratch installation: the real schema and rules unless replaced.
class ScratchInstall {
public:
    ScratchInstall()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("profiletemplate"));
        SetRules(ReadAll(SourceInstall() + QStringLiteral("/profiletemplate/DataProfile.lua")).toUtf8());
        SetSchema(ReadAll(SourceInstall() + QStringLiteral("/profiletemplate/DataProfile.xsd")).toUtf8());
    }
    QString path() const { return m_dir.path(); }
    void SetRules(const QByteArray &text) { WriteAll(File("DataProfile.lua"), text); }
    void SetSchema(const QByteArray &text) { WriteAll(File("DataProfile.xsd"), text); }
    void Remove(const char *name) { QFile::remove(File(name)); }
    QString File(const char *name) const { return m_dir.path() + QStringLiteral("/profiletemplate/") + QLatin1String(name); }

private:
    QTemporaryDir m_dir;
};

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { SetInstallPathOverride(SourceInstall()); }
    void TearDown() override { SetInstallPathOverride(QString()); }

    // Loads `text`; fails the test on an exception.
    void Load(CRadioDataModel &model, const QString &text)
    {
        try {
            ASSERT_EQ(model.LoadProfile(text, 0), 1);
        } catch (const CTavoCPSException &e) {
            FAIL() << e.m_nMsgID << e.m_strMessage.toStdString();
        }
    }
    void LoadTemplate(const QString &model, const std::vector<std::pair<QString, QString>> &edits = {})
    {
        Load(m_model, TemplateText(model, edits));
    }

    CDataItem Item(const QString &path) const
    {
        CDataItem item = m_model.m_rootItem;
        for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            CDataItem child;
            item.GetChildByName(step, child);
            item = child;
        }
        return item;
    }
    QString Text(const QString &path, const char *attribute) const { return Item(path).GetText(QLatin1String(attribute)); }

    // One rule-checked change with answer 0 (or the one given).
    struct Outcome {
        int result;
        int msgId;
        int msgStyle;
    };
    Outcome Set(const QString &path, const char *attribute, const QVariant &value, int answer = 0)
    {
        CDataItem item = Item(path);
        Outcome o{0, -1, -1};
        o.result = item.SetAttributeValue(QLatin1String(attribute), value, o.msgId, answer, o.msgStyle);
        return o;
    }

    RecordingSink m_sink;
    CRadioDataModel m_model;
};

// The exception `f` raises (id -1 when it raises none).
inline CTavoCPSException Raised(const std::function<void()> &f)
{
    try {
        f();
    } catch (const CTavoCPSException &e) {
        return e;
    }
    return CTavoCPSException(-1);
}

} // namespace tavo::test
