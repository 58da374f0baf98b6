#pragma once
// The OPC UA test server (server/test_server.js on Node.js) for one suite: certificates
// for it and for our client made with openssl, a free port on 127.0.0.1, started once and
// stopped when the suite ends (or, should the suite die, when its pipe closes).
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

struct TTestServer {
    std::string Dir, Url, Client_Cert, Client_Key;
    pid_t Pid = -1;
    int In = -1;

    static std::string Read(const std::string& Path)
    {
        std::ifstream f(Path, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

    static int Free_Port()
    {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t n = sizeof a;
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
        close(s);
        return ntohs(a.sin_port);
    }

    // A self-signed certificate and key whose subject names the application URI.
    static bool Make_Certificate(const std::string& Dir, const std::string& Name, const std::string& Uri)
    {
        const std::string Cmd = "openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 30 -subj /CN=" + Name +
                                " -addext subjectAltName=URI:" + Uri + ",IP:127.0.0.1,DNS:localhost" +
                                " -addext keyUsage=digitalSignature,nonRepudiation,keyEncipherment,dataEncipherment" +
                                " -addext extendedKeyUsage=serverAuth,clientAuth -keyout " + Dir + "/" + Name +
                                "_key.pem -out " + Dir + "/" + Name + "_cert.pem >/dev/null 2>&1";
        return std::system(Cmd.c_str()) == 0;
    }

    // Starts the server; empty when it is up, else why not.
    std::string Start()
    {
        signal(SIGPIPE, SIG_IGN);
        Dir = (std::filesystem::temp_directory_path() / ("opcua_server_" + std::to_string(getpid()))).string();
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
        if (!Make_Certificate(Dir, "server", "urn:test:opcua:server") ||
            !Make_Certificate(Dir, "client", "urn:test:opcua:client"))
            return "openssl cannot make the certificates";
        // The way a user pastes them: CR LF line ends.
        for (const char* f : {"client_cert.pem", "client_key.pem"}) {
            std::string t;
            for (char c : Read(Dir + "/" + f)) {
                if (c == '\n') t += '\r';
                t += c;
            }
            (f[7] == 'c' ? Client_Cert : Client_Key) = t;
        }
        const std::string Script = OPCUA_SERVER_SCRIPT;
        if (!std::filesystem::exists(std::filesystem::path(Script).parent_path() / "node_modules" / "node-opcua"))
            return "node-opcua is not installed (scripts/setup.sh installs it)";
        const int Port = Free_Port();
        Url = "opc.tcp://127.0.0.1:" + std::to_string(Port);
        int to_child[2], from_child[2];
        if (pipe(to_child) || pipe(from_child)) return "no pipe";
        Pid = fork();
        if (Pid == 0) {
            dup2(to_child[0], 0);
            dup2(from_child[1], 1);
            close(to_child[1]);
            close(from_child[0]);
            const std::string P = std::to_string(Port), C = Dir + "/server_cert.pem", K = Dir + "/server_key.pem";
            execlp("node", "node", Script.c_str(), P.c_str(), Dir.c_str(), C.c_str(), K.c_str(), nullptr);
            _exit(127);
        }
        close(to_child[0]);
        close(from_child[1]);
        In = to_child[1];
        // Up to 30 s for the server to say it listens.
        std::string Out;
        const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (Out.find("READY") == std::string::npos && std::chrono::steady_clock::now() < Until) {
            pollfd p {from_child[0], POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) continue;
            char b[256];
            const ssize_t n = read(from_child[0], b, sizeof b);
            if (n <= 0) break;
            Out.append(b, size_t(n));
        }
        close(from_child[0]);
        return Out.find("READY") == std::string::npos ? "the test server did not start" : "";
    }

    void Stop()
    {
        if (In >= 0) close(In);
        In = -1;
        if (Pid > 0) {
            for (int i = 0; i < 50; ++i) {
                if (waitpid(Pid, nullptr, WNOHANG) == Pid) {
                    Pid = -1;
                    break;
                }
                usleep(100000);
            }
            if (Pid > 0) {
                kill(Pid, SIGKILL);
                waitpid(Pid, nullptr, 0);
            }
        }
        Pid = -1;
        if (!Dir.empty()) std::filesystem::remove_all(Dir);
    }
};
