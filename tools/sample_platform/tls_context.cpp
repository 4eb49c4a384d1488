#include "sample_platform/tls_context.h"

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

namespace {

std::string LastTlsError(const char* what) {
  char buffer[256] = {};
  ERR_error_string_n(ERR_get_error(), buffer, sizeof buffer);
  ERR_clear_error();
  return std::string(what) + ": " + buffer;
}

}  // namespace

SSL_CTX* MakeSampleTlsContext(std::string_view certificatePem, std::string_view keyPem, std::string* error) {
  SSL_CTX* context = SSL_CTX_new(TLS_server_method());
  if (!context) {
    if (error) *error = LastTlsError("SSL_CTX_new");
    return nullptr;
  }
  SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
  // Connections are closed by us or the peer at any point; a write to a
  // closed peer must report an error rather than stop the server.
  SSL_CTX_set_mode(context, SSL_MODE_AUTO_RETRY);

  bool ok = false;
  BIO* certBio = BIO_new_mem_buf(certificatePem.data(), static_cast<int>(certificatePem.size()));
  BIO* keyBio = BIO_new_mem_buf(keyPem.data(), static_cast<int>(keyPem.size()));
  X509* leaf = certBio ? PEM_read_bio_X509(certBio, nullptr, nullptr, nullptr) : nullptr;
  EVP_PKEY* key = keyBio ? PEM_read_bio_PrivateKey(keyBio, nullptr, nullptr, nullptr) : nullptr;
  if (!leaf || !key) {
    if (error) *error = LastTlsError("reading the PEM texts");
  } else if (SSL_CTX_use_certificate(context, leaf) != 1 || SSL_CTX_use_PrivateKey(context, key) != 1 ||
             SSL_CTX_check_private_key(context) != 1) {
    if (error) *error = LastTlsError("installing the certificate");
  } else {
    ok = true;
    // Any further certificates in the text form the chain.
    while (X509* extra = PEM_read_bio_X509(certBio, nullptr, nullptr, nullptr)) {
      if (SSL_CTX_add_extra_chain_cert(context, extra) != 1) X509_free(extra);
    }
    ERR_clear_error();  // the loop ends on an "no start line" error
  }
  X509_free(leaf);
  EVP_PKEY_free(key);
  BIO_free(certBio);
  BIO_free(keyBio);
  if (!ok) {
    SSL_CTX_free(context);
    return nullptr;
  }
  return context;
}
