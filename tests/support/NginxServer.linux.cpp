#include "tests/support/NginxServer.h"

#include "tests/support/ChildProcess.h"

#include "os/Clock.h"
#include "os/Sockets.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

namespace testing_support {

std::vector<std::string> NginxServer::requests() const
{
    std::vector<std::string> lines;
    std::istringstream in(folder.read("logs/access.log"));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool NginxServer::start()
{
    if (pid > 0)
        return true;
    // A listening socket on a port the system chose, handed to nginx in its NGINX variable
    // (its way of upgrading without dropping connections): the port is ours before nginx runs.
    const int listener = static_cast<int>(os::openTcpSocket());
    listenPort = 0;
    if (listener < 0 || !os::bindLoopback(listener, listenPort) || !os::listenSocket(listener, 128)) {
        close(listener);
        return false;
    }
    // As root, nginx's workers would become "nobody", who cannot read a private temporary
    // folder: they stay the user who runs the test.
    const std::string user = geteuid() == 0 ? std::string("user ") + getpwuid(geteuid())->pw_name + " " +
                                                  getgrgid(getegid())->gr_name + ";" : "";
    const std::string p = folder.path() + "/";
    std::string temporaries;
    for (const char* kind : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
        temporaries += std::string(kind) + "_temp_path " + p + "tmp/" + kind + ";";
    folder.write("nginx.conf", "daemon off; worker_processes 1; " + user + " pid logs/nginx.pid;\n"
                               "error_log logs/error.log notice; events { worker_connections 256; }\n"
                               "http { default_type application/octet-stream; " + temporaries + "\n"
                               "  log_format holmik '$request_method $request_uri $status $http_host';\n"
                               "  access_log logs/access.log holmik;\n"
                               "  server { listen 127.0.0.1:" + std::to_string(listenPort) + "; root www; } }\n");
    folder.write("logs/output.log", "");
    std::filesystem::create_directories(folder.file("tmp"));
    std::filesystem::create_directories(documentRoot());
    const int output = open(folder.file("logs/output.log").c_str(), O_WRONLY | O_CLOEXEC);
    pid = spawn({"sh", "-c", "exec \"$0\" \"$@\" 2>&1", "nginx", "-p", p, "-c", p + "nginx.conf", "-e", p + "logs/error.log"},
                {"NGINX=" + std::to_string(listener) + ";", std::string("PATH=") + getenv("PATH") + ":/usr/sbin"}, -1,
                output, listener);
    close(listener);
    close(output);
    // Requests queue on the socket already; what is left is to see nginx adopt it, or die.
    const std::uint32_t begin = os::monotonicMilliseconds();
    while (pid > 0 && errorLog().find("start worker process") == std::string::npos) {
        if (reap(pid, 5) != -2)
            pid = -1; // nginx died
        else if (os::monotonicMilliseconds() - begin > 60000)
            stop();
    }
    return pid > 0;
}

void NginxServer::stop()
{
    if (pid <= 0)
        return;
    kill(-pid, SIGTERM);
    reap(pid, 20000, true);
    pid = -1;
}

} // namespace testing_support
