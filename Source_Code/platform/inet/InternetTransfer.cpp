#include "platform/inet/InternetTransfer.h"

#include "platform/automation/AutomationError.h"
#include "platform/automation/DispatchTable.h"
#include "platform/files/AtomicFile.h"

#include <QFile>
#include <QUrl>
#include <curl/curl.h>

namespace tovu::platform::inet {

namespace {

using automation::Args;
using automation::Variant;

// The control's own error for a second Execute while one runs.
constexpr std::int32_t kStillExecutingLastRequest = 35764;

[[noreturn]] void refuse(const QString& why)
{
    throw automation::AutomationError(automation::ErrorNumber::InvalidProcedureCall, QStringLiteral("Inet"), why);
}

// A control character (CR and LF above all) or a line or paragraph separator would end an
// FTP command line early and let the rest of the text stand as a command of its own: such
// a text is refused whole.
void refuseControlCharacters(const QString& text, const QString& what)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0) ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            refuse(QStringLiteral("the %1 holds a control character").arg(what));
}

void initCurl()
{
    static const bool done = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    if (!done)
        refuse(QStringLiteral("the transfer library could not be started"));
}

// The words of an operation; double quotes keep blanks inside one word.
QStringList wordsOf(const QString& operation)
{
    QStringList words;
    QString word;
    bool quoted = false, inWord = false;
    for (QChar c : operation) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (c.isSpace() && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        refuse(QStringLiteral("a quote in the operation is not closed"));
    if (inWord)
        words << word;
    return words;
}

// A remote path as the URL carries it: each part percent-encoded, the slashes kept.
QByteArray encodedPath(const QString& path)
{
    QByteArray out;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += '/';
        out += QUrl::toPercentEncoding(parts[i]);
    }
    return out;
}

class InternetTransfer {
public:
    QString url;
    QString userName;
    QString password;
    std::int16_t protocol = icUnknown;
    std::int32_t requestTimeout = 60;  // seconds to connect, and without progress
    std::int32_t responseCode = 0;
    QString responseInfo;

    ~InternetTransfer()
    {
        if (executing_)
            end(CURLE_ABORTED_BY_CALLBACK);
        curl_slist_free_all(quote_);
        if (easy_)
            curl_easy_cleanup(easy_);
        if (multi_)
            curl_multi_cleanup(multi_);
    }

    void execute(const Variant& urlArgument, const Variant& operationArgument);

    // A URL set anew starts a new session: the directory CD set is forgotten.
    void setUrl(const QString& value)
    {
        url = value;
        session_.clear();
    }

    bool stillExecuting()
    {
        if (!executing_)
            return false;
        int running = 0;
        curl_multi_perform(multi_, &running);
        if (running > 0) {
            curl_multi_poll(multi_, nullptr, 0, 20, nullptr);
            curl_multi_perform(multi_, &running);
        }
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi_, &left))
            if (msg->msg == CURLMSG_DONE)
                end(msg->data.result);
        return executing_;
    }

private:
    enum class Operation { ChangeDirectory, Get, Put };
    struct Login {
        QString base;  // "ftp://host[:port]"
        QString user;
        QString password;
        QString startDirectory;
    };

    CURLM* multi_ = nullptr;
    CURL* easy_ = nullptr;
    curl_slist* quote_ = nullptr;
    bool executing_ = false;
    Operation operation_ = Operation::Get;
    QString session_;           // the server and login the directory below belongs to
    QString directory_;         // set by CD; empty: the login directory
    QString pendingDirectory_;  // what a running CD sets when it succeeds
    std::unique_ptr<files::AtomicFile> download_;
    std::unique_ptr<QFile> upload_;
    char error_[CURL_ERROR_SIZE] = {};

    Login loginOf(const QString& address) const;
    void fail(std::int32_t code, const QString& info)
    {
        responseCode = code;
        responseInfo = info;
    }
    void end(CURLcode result);

    static size_t write(char* data, size_t size, size_t count, void* self)
    {
        auto* file = static_cast<InternetTransfer*>(self)->download_.get();
        const qint64 n = static_cast<qint64>(size * count);
        return file && file->write(QByteArrayView(data, n)) ? size * count : 0;
    }
    static size_t read(char* data, size_t size, size_t count, void* self)
    {
        auto* file = static_cast<InternetTransfer*>(self)->upload_.get();
        const qint64 n = file ? file->read(data, static_cast<qint64>(size * count)) : -1;
        return n < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(n);
    }
};

InternetTransfer::Login InternetTransfer::loginOf(const QString& address) const
{
    refuseControlCharacters(address, QStringLiteral("address"));
    refuseControlCharacters(userName, QStringLiteral("user name"));
    refuseControlCharacters(password, QStringLiteral("password"));
    QString rest = address.trimmed();
    const QString scheme = QStringLiteral("ftp://");
    if (rest.startsWith(scheme, Qt::CaseInsensitive))
        rest = rest.mid(scheme.size());
    else if (rest.contains(QLatin1String("://")))
        refuse(QStringLiteral("only FTP addresses are served"));
    else if (protocol != icFTP)
        refuse(QStringLiteral("the address names no protocol and Protocol is not FTP"));
    Login login;
    // The host cannot hold an "@": the last one ends the login, so a password may hold one.
    const qsizetype at = rest.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString userInfo = rest.left(at);
        rest = rest.mid(at + 1);
        // The login the UserName and Password members hold, packed into the address as
        // "user:password": taken from the members whole, as a user name may hold a ":".
        const QString packed = userName + (password.isEmpty() ? QString() : QLatin1Char(':') + password);
        const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
        if ((!userName.isEmpty() || !password.isEmpty()) && userInfo == packed) {
            login.user = userName;
            login.password = password;
        } else {
            login.user = colon < 0 ? userInfo : userInfo.left(colon);
            login.password = colon < 0 ? QString() : userInfo.mid(colon + 1);
        }
    } else {
        login.user = userName;
        login.password = password;
    }
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    const QString host = slash < 0 ? rest : rest.left(slash);
    login.startDirectory = slash < 0 ? QString() : QUrl::fromPercentEncoding(rest.mid(slash + 1).toUtf8());
    // Percent-encoding must not bring back what the address itself may not hold.
    refuseControlCharacters(login.startDirectory, QStringLiteral("address"));
    const QUrl check(scheme + host);
    if (host.isEmpty() || !check.isValid() || check.host().isEmpty() || !check.path().isEmpty())
        refuse(QStringLiteral("\"%1\" is no server address").arg(host));
    login.base = scheme + host;
    return login;
}

void InternetTransfer::execute(const Variant& urlArgument, const Variant& operationArgument)
{
    if (executing_)
        throw automation::AutomationError(kStillExecutingLastRequest, QStringLiteral("Inet"),
                                          QStringLiteral("Still executing last request"));
    const QString address =
        urlArgument.isMissing() || urlArgument.toString().trimmed().isEmpty() ? url : urlArgument.toString();
    const Login login = loginOf(address);
    if (!operationArgument.isMissing())
        refuseControlCharacters(operationArgument.toString(), QStringLiteral("operation"));
    const QStringList words = operationArgument.isMissing() ? QStringList() : wordsOf(operationArgument.toString());
    if (words.isEmpty())
        refuse(QStringLiteral("no operation given"));
    const QString verb = words[0].toUpper();
    if (!((verb == QLatin1String("CD") && words.size() == 2) ||
          ((verb == QLatin1String("GET") || verb == QLatin1String("PUT")) && words.size() == 3)))
        refuse(QStringLiteral("the operation \"%1\" is not served").arg(operationArgument.toString()));

    initCurl();
    if (!multi_)
        multi_ = curl_multi_init();
    if (!easy_)
        easy_ = curl_easy_init();
    if (!multi_ || !easy_)
        refuse(QStringLiteral("the transfer library could not be started"));

    const QString session = login.user + QLatin1Char('@') + login.base;
    if (session != session_) {
        session_ = session;
        directory_ = login.startDirectory;
    }
    fail(0, {});
    curl_easy_reset(easy_);
    error_[0] = '\0';
    QByteArray target = login.base.toUtf8() + '/';
    QString cwd = directory_;
    if (verb == QLatin1String("CD")) {
        operation_ = Operation::ChangeDirectory;
        const QString& dir = words[1];
        pendingDirectory_ = dir.startsWith(QLatin1Char('/')) || directory_.isEmpty() ? dir : directory_ + QLatin1Char('/') + dir;
        cwd = pendingDirectory_;
        curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    } else if (verb == QLatin1String("GET")) {
        operation_ = Operation::Get;
        target += encodedPath(words[1]);
        download_ = std::make_unique<files::AtomicFile>(words[2]);
        if (!download_->open()) {
            fail(CURLE_WRITE_ERROR, download_->reason());
            download_.reset();
            return;
        }
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &InternetTransfer::write);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    } else {
        operation_ = Operation::Put;
        target += encodedPath(words[2]);
        upload_ = std::make_unique<QFile>(words[1]);
        if (!upload_->open(QIODevice::ReadOnly)) {
            fail(CURLE_READ_ERROR, QStringLiteral("the local file \"%1\" cannot be read").arg(words[1]));
            upload_.reset();
            return;
        }
        curl_easy_setopt(easy_, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(easy_, CURLOPT_READFUNCTION, &InternetTransfer::read);
        curl_easy_setopt(easy_, CURLOPT_READDATA, this);
        curl_easy_setopt(easy_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(upload_->size()));
    }
    // Each operation logs in anew and first changes to the directory CD set, so that the
    // server's idea of the current directory is always the one kept here.
    if (quote_) {
        curl_slist_free_all(quote_);
        quote_ = nullptr;
    }
    if (!cwd.isEmpty())
        quote_ = curl_slist_append(nullptr, (QStringLiteral("CWD ") + cwd).toUtf8().constData());
    curl_easy_setopt(easy_, CURLOPT_QUOTE, quote_);
    curl_easy_setopt(easy_, CURLOPT_URL, target.constData());
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, error_);
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy_, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, static_cast<long>(requestTimeout > 0 ? requestTimeout : 60));
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, static_cast<long>(requestTimeout > 0 ? requestTimeout : 60));
    if (!login.user.isEmpty()) {
        const QByteArray user = login.user.toUtf8(), pass = login.password.toUtf8();
        curl_easy_setopt(easy_, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(easy_, CURLOPT_PASSWORD, pass.constData());
    }
    if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) {
        download_.reset();
        upload_.reset();
        refuse(QStringLiteral("the transfer could not be started"));
    }
    executing_ = true;
    int running = 0;
    curl_multi_perform(multi_, &running);
}

void InternetTransfer::end(CURLcode result)
{
    long reply = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &reply);
    curl_multi_remove_handle(multi_, easy_);
    executing_ = false;
    // A local file that could not be written says why, rather than the transfer's code.
    const bool localFailure = operation_ == Operation::Get && download_
                              && (result == CURLE_OK ? !download_->commit() : !download_->reason().isEmpty());
    if (localFailure)
        fail(CURLE_WRITE_ERROR, download_->reason());
    else if (result != CURLE_OK)
        fail(reply >= 400 ? static_cast<std::int32_t>(reply) : static_cast<std::int32_t>(result),
             QString::fromUtf8(error_[0] ? error_ : curl_easy_strerror(result)));
    else if (operation_ == Operation::ChangeDirectory)
        directory_ = pendingDirectory_;
    if (download_ && result != CURLE_OK)
        download_->cancel();
    download_.reset();
    upload_.reset();
}

}  // namespace

automation::DispatchRef createInternetTransfer()
{
    auto inet = std::make_shared<InternetTransfer>();
    auto text = [](QString InternetTransfer::*field, const std::shared_ptr<InternetTransfer>& self) {
        return std::make_pair([self, field](Args&) { return Variant((*self).*field); },
                              [self, field](Args& a) { (*self).*field = a.back().toString(); return Variant(); });
    };
    auto getUrl = [inet](Args&) { return Variant(inet->url); };
    auto putUrl = [inet](Args& a) { inet->setUrl(a.back().toString()); return Variant(); };
    const auto [getUser, putUser] = text(&InternetTransfer::userName, inet);
    const auto [getPassword, putPassword] = text(&InternetTransfer::password, inet);
    std::vector<automation::DispatchMember> members = {
        {QStringLiteral("URL"), 1, getUrl, putUrl},
        {QStringLiteral("UserName"), 2, getUser, putUser},
        {QStringLiteral("Password"), 3, getPassword, putPassword},
        {QStringLiteral("Protocol"), 4, [inet](Args&) { return Variant(inet->protocol); },
         [inet](Args& a) { inet->protocol = a.back().toInteger(); return Variant(); }},
        {QStringLiteral("RequestTimeout"), 5, [inet](Args&) { return Variant(inet->requestTimeout); },
         [inet](Args& a) { inet->requestTimeout = a.back().toLong(); return Variant(); }},
        {QStringLiteral("Execute"), 6,
         [inet](Args& a) {
             automation::requireArgumentCount(a, 0, 4);
             inet->execute(automation::argumentAt(a, 0), automation::argumentAt(a, 1));
             return Variant();
         },
         {}, {QStringLiteral("URL"), QStringLiteral("Operation"), QStringLiteral("InputData"), QStringLiteral("InputHdrs")}},
        {QStringLiteral("StillExecuting"), 7, [inet](Args&) { return Variant(inet->stillExecuting()); }},
        {QStringLiteral("ResponseCode"), 8, [inet](Args&) { return Variant(inet->responseCode); }},
        {QStringLiteral("ResponseInfo"), 9, [inet](Args&) { return Variant(inet->responseInfo); }},
    };
    return automation::makeDispatch(std::move(members), QStringLiteral("Inet"));
}

}  // namespace tovu::platform::inet
