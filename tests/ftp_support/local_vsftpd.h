// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/exchange/ftp_connection.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace velora::test {

// vsftpd from the system on 127.0.0.1, serving one folder to anonymous
// logins, with a configuration and (for TLS) a certificate for 127.0.0.1
// that it makes itself.
class LocalVsftpd {
public:
    struct Options {
        // Offers explicit TLS ("AUTH TLS") with its own certificate.
        bool tls = false;
        // Bytes per second on every data connection; 0 runs at full speed.
        int rate = 0;
    };

    LocalVsftpd(QString root, Options options);
    ~LocalVsftpd() { Kill(); }
    LocalVsftpd(const LocalVsftpd&) = delete;
    LocalVsftpd& operator=(const LocalVsftpd&) = delete;

    // False, with the reason in Error(), when it would not start.
    bool Start();
    QString Error() const { return m_error; }
    FtpServer Server() const;
    // The certificate the server shows, which is also its own authority.
    QString CertificateFile() const { return m_scratch.filePath("cert.pem"); }
    // Ends the server and every session it forked, in the middle of whatever
    // they do.
    void Kill();

private:
    bool MakeCertificate();
    bool WriteConfiguration();
    bool WaitUntilListening();

    QString m_root;
    Options m_options;
    QTemporaryDir m_scratch;
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

}  // namespace velora::test
