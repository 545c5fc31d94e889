#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

namespace packager {

// The packaging tool's controller as its packager page sees it: the page binds the show's name
// and folders into it, reads the MIDI file list and the result of a run, and starts runs. This
// stand-in keeps the values and does no packaging.
class PackagerController : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(QString name MEMBER name_ NOTIFY nameChanged)
    Q_PROPERTY(QString sourceDirectory MEMBER sourceDirectory_ NOTIFY sourceDirectoryChanged)
    Q_PROPERTY(QString destinationDirectory MEMBER destinationDirectory_ NOTIFY destinationDirectoryChanged)
    Q_PROPERTY(QString imageDirectory MEMBER imageDirectory_ NOTIFY imageDirectoryChanged)
    Q_PROPERTY(QString soundEffectsDirectory MEMBER soundEffectsDirectory_ NOTIFY soundEffectsDirectoryChanged)
    Q_PROPERTY(bool advancedFeatures MEMBER advancedFeatures_ NOTIFY advancedFeaturesChanged)
    Q_PROPERTY(QString sfxSourceDirectory MEMBER sfxSourceDirectory_ NOTIFY sfxSourceDirectoryChanged)
    Q_PROPERTY(QString sfxDestinationDirectory MEMBER sfxDestinationDirectory_ NOTIFY sfxDestinationDirectoryChanged)
    Q_PROPERTY(QStringList files MEMBER files_ NOTIFY filesChanged)
    Q_PROPERTY(bool message MEMBER message_ NOTIFY messageChanged)
    Q_PROPERTY(QString messageBody MEMBER messageBody_ NOTIFY messageBodyChanged)

public:
    explicit PackagerController(QObject* parent = nullptr);

    Q_INVOKABLE QString versionString() const;
    Q_INVOKABLE void package();
    Q_INVOKABLE void packageSfx();

signals:
    void nameChanged();
    void sourceDirectoryChanged();
    void destinationDirectoryChanged();
    void imageDirectoryChanged();
    void soundEffectsDirectoryChanged();
    void advancedFeaturesChanged();
    void sfxSourceDirectoryChanged();
    void sfxDestinationDirectoryChanged();
    void filesChanged();
    void messageChanged();
    void messageBodyChanged();

private:
    QString name_;
    QString sourceDirectory_;
    QString destinationDirectory_;
    QString imageDirectory_;
    QString soundEffectsDirectory_;
    bool advancedFeatures_ = false;
    QString sfxSourceDirectory_;
    QString sfxDestinationDirectory_;
    QStringList files_;
    bool message_ = false;
    QString messageBody_;
};

} // namespace packager
