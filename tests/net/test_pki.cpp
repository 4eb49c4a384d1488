#include "net/test_pki.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <stdexcept>

namespace {

void AddExtension(X509* certificate, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
  if (!extension) throw std::runtime_error("certificate extension");
  X509_add_ext(certificate, extension, -1);
  X509_EXTENSION_free(extension);
}

X509* NewCertificate(EVP_PKEY* key, const std::string& commonName, long serial) {
  X509* certificate = X509_new();
  X509_set_version(certificate, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(certificate), serial);
  X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
  X509_gmtime_adj(X509_getm_notAfter(certificate), 86400);
  X509_set_pubkey(certificate, key);
  X509_NAME* name = X509_get_subject_name(certificate);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName.c_str()), -1,
                             -1, 0);
  return certificate;
}

std::string Pem(X509* certificate) {
  BIO* bio = BIO_new(BIO_s_mem());
  PEM_write_bio_X509(bio, certificate);
  char* data = nullptr;
  const long size = BIO_get_mem_data(bio, &data);
  std::string pem(data, static_cast<size_t>(size));
  BIO_free(bio);
  return pem;
}

}  // namespace

TestPki::TestPki(const std::vector<std::string>& hosts) {
  EVP_PKEY* caKey = EVP_EC_gen("P-256");
  EVP_PKEY* serverKey = EVP_EC_gen("P-256");
  X509* ca = NewCertificate(caKey, "Marvane Test CA", 1);
  X509_set_issuer_name(ca, X509_get_subject_name(ca));
  AddExtension(ca, ca, NID_basic_constraints, "critical,CA:TRUE");
  AddExtension(ca, ca, NID_key_usage, "critical,keyCertSign,cRLSign");
  AddExtension(ca, ca, NID_subject_key_identifier, "hash");
  X509_sign(ca, caKey, EVP_sha256());

  X509* server = NewCertificate(serverKey, hosts.empty() ? "localhost" : hosts.front(), 2);
  X509_set_issuer_name(server, X509_get_subject_name(ca));
  std::string names = "IP:127.0.0.1";
  for (const std::string& host : hosts) names += ",DNS:" + host;
  AddExtension(server, ca, NID_subject_alt_name, names);
  AddExtension(server, ca, NID_basic_constraints, "critical,CA:FALSE");
  AddExtension(server, ca, NID_ext_key_usage, "serverAuth");
  AddExtension(server, ca, NID_authority_key_identifier, "keyid");
  X509_sign(server, caKey, EVP_sha256());

  caPem = Pem(ca);
  serverTls = SSL_CTX_new(TLS_server_method());
  SSL_CTX_use_certificate(serverTls, server);
  SSL_CTX_use_PrivateKey(serverTls, serverKey);
  X509_free(server);
  X509_free(ca);
  EVP_PKEY_free(serverKey);
  EVP_PKEY_free(caKey);
}

TestPki::~TestPki() { SSL_CTX_free(serverTls); }
