// The world table server as the desktop reaches it: Qt Network, never blocking the window or
// the race; each request calls back on the window's thread when its answer (or the lack of
// one) is in. The API is docs/world-api.md.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace vantrell::desktop {

struct WorldAnswer {
    bool reached = false;  // the server answered at all
    int status = 0;
    QJsonObject json;
    QByteArray bytes;
    QString code;     // a refusal's stable code ("not_faster", ...), empty when none
    QString message;  // a refusal's English line, or why the server could not be reached
};

class WorldClient final : public QObject {
  public:
    explicit WorldClient(QObject* parent = nullptr);

    using Done = std::function<void(const WorldAnswer&)>;
    // `server` is the address as the player set it, e.g. "http://127.0.0.1:8080".
    void Register(const QString& server, const QString& name, Done done);
    void SendRun(const QString& server, const QString& key, const QByteArray& runFile, Done done);
    // With the player's key (may be empty) the answer holds their own place too.
    void Board(const QString& server, const QString& courseHex, int32_t offset, int32_t limit,
               const QString& key, Done done);
    void Ghost(const QString& server, int64_t id, Done done);

  private:
    void Finish(QNetworkReply* reply, Done done);

    QNetworkAccessManager* network_;
};

}  // namespace vantrell::desktop
