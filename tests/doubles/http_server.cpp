// Stands in for the maker's web server: a plain HTTP/1.0 server on 127.0.0.1
// that serves the files of one folder and logs every request.
//   hd_http_server.exe PORT ROOT LOG
// It appends "listening PORT" to LOG once it accepts connections, then one line
// per request: the request line, then each header line indented by a tab.
// GET of /a/b answers ROOT\a\b with 200, or 404 when there is no such file.
// It ends by itself after kLifetimeMs, so a test that dies cannot leave it behind.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kLifetimeMs = 120000;
constexpr int kMaxRequestBytes = 8192;
constexpr DWORD kReceiveTimeoutMs = 5000;

std::string gLogPath;

void AppendLog(const std::string& line) {
  std::string text = line + "\r\n";
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE file = CreateFileA(gLogPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      CloseHandle(file);
      return;
    }
    Sleep(20);  // the test is reading the log
  }
}

void SendAll(SOCKET client, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    int n = send(client, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

// The request up to its empty line, or what arrived before the peer stopped.
std::string ReceiveRequest(SOCKET client) {
  std::string request;
  char buffer[1024];
  while (request.size() < kMaxRequestBytes && request.find("\r\n\r\n") == std::string::npos) {
    int n = recv(client, buffer, sizeof(buffer), 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<std::size_t>(n));
  }
  return request;
}

// ROOT + path with "/" turned into "\"; empty for paths that leave ROOT.
std::string FileFor(const std::string& root, std::string path) {
  std::size_t query = path.find_first_of("?#");
  if (query != std::string::npos) path.resize(query);
  if (path.empty() || path[0] != '/' || path.find("..") != std::string::npos || path.find('\\') != std::string::npos) {
    return {};
  }
  std::string file = root;
  for (char c : path) file += (c == '/') ? '\\' : c;
  return file;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  bool ok = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  char buffer[4096];
  DWORD read = 0;
  while (ok && ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return ok;
}

void Serve(SOCKET client, const std::string& root) {
  DWORD timeout = kReceiveTimeoutMs;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  std::string request = ReceiveRequest(client);

  std::string log;
  std::size_t lineStart = 0;
  while (lineStart < request.size()) {
    std::size_t lineEnd = request.find("\r\n", lineStart);
    if (lineEnd == std::string::npos || lineEnd == lineStart) break;
    log += (lineStart == 0 ? "" : "\r\n\t") + request.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 2;
  }
  AppendLog(log.empty() ? "(empty request)" : log);

  std::string method, path;
  std::size_t space = request.find(' ');
  if (space != std::string::npos) {
    method = request.substr(0, space);
    std::size_t end = request.find(' ', space + 1);
    if (end != std::string::npos) path = request.substr(space + 1, end - space - 1);
  }
  std::string body;
  std::string file = FileFor(root, path);
  bool found = (method == "GET" || method == "HEAD") && !file.empty() && ReadWholeFile(file, body);
  std::string status = found ? "200 OK" : "404 Not Found";
  if (!found) body = "<html><body>not found</body></html>";
  std::string response = "HTTP/1.0 " + status + "\r\nContent-Type: " + (found ? "text/plain" : "text/html") +
                         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
  if (method != "HEAD") response += body;
  SendAll(client, response);
  shutdown(client, SD_SEND);
  closesocket(client);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  int port = std::atoi(argv[1]);
  std::string root = argv[2];
  gLogPath = argv[3];
  while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.pop_back();

  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 3;
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) return 3;
  // Lets a fresh server take the port while closed connections of the last one linger.
  BOOL reuse = TRUE;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof(reuse));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listener, 8) != 0) {
    AppendLog("cannot listen " + std::to_string(port));
    return 4;
  }
  AppendLog("listening " + std::to_string(port));

  ULONGLONG deadline = GetTickCount64() + kLifetimeMs;
  while (GetTickCount64() < deadline) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener, &readable);
    timeval wait{0, 200000};
    if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener, nullptr, nullptr);
    if (client != INVALID_SOCKET) Serve(client, root);
  }
  closesocket(listener);
  WSACleanup();
  return 0;
}
