#include "hosts/desktop/world_client.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace vantrell::desktop {

namespace {

QNetworkRequest Request(const QString& server, const QString& path) {
    QString base = server.trimmed();
    while (base.endsWith('/')) {
        base.chop(1);
    }
    QNetworkRequest request(QUrl(base + path));
    // A server that does not answer is given up on, so the player hears of it.
    request.setTransferTimeout(10000);
    return request;
}

}  // namespace

WorldClient::WorldClient(QObject* parent)
    : QObject(parent), network_(new QNetworkAccessManager(this)) {}

void WorldClient::Finish(QNetworkReply* reply, Done done) {
    connect(reply, &QNetworkReply::finished, this, [reply, done = std::move(done)] {
        WorldAnswer answer;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        answer.reached = status.isValid();
        answer.status = status.toInt();
        answer.bytes = reply->readAll();
        if (!answer.reached) {
            answer.message = reply->errorString();
        }
        const QJsonDocument document = QJsonDocument::fromJson(answer.bytes);
        if (document.isObject()) {
            answer.json = document.object();
            const QJsonObject error = answer.json.value("error").toObject();
            answer.code = error.value("code").toString();
            answer.message = error.value("message").toString();
        }
        reply->deleteLater();
        done(answer);
    });
}

void WorldClient::Register(const QString& server, const QString& name, Done done) {
    QNetworkRequest request = Request(server, "/api/v1/players");
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    const QByteArray body =
        QJsonDocument(QJsonObject{{"name", name}}).toJson(QJsonDocument::Compact);
    Finish(network_->post(request, body), std::move(done));
}

void WorldClient::SendRun(const QString& server, const QString& key, const QByteArray& runFile,
                          Done done) {
    QNetworkRequest request = Request(server, "/api/v1/runs");
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/octet-stream");
    request.setRawHeader("Authorization", "Bearer " + key.toUtf8());
    Finish(network_->post(request, runFile), std::move(done));
}

void WorldClient::Board(const QString& server, const QString& courseHex, int32_t offset,
                        int32_t limit, const QString& key, Done done) {
    QNetworkRequest request = Request(server, QString("/api/v1/courses/%1/runs?offset=%2&limit=%3")
                                                  .arg(courseHex)
                                                  .arg(offset)
                                                  .arg(limit));
    if (!key.isEmpty()) {
        request.setRawHeader("Authorization", "Bearer " + key.toUtf8());
    }
    Finish(network_->get(request), std::move(done));
}

void WorldClient::Ghost(const QString& server, int64_t id, Done done) {
    Finish(network_->get(Request(server, QString("/api/v1/runs/%1").arg(id))), std::move(done));
}

}  // namespace vantrell::desktop
