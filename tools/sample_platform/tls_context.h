#pragma once
// A TLS server context made from PEM texts held in memory.
#include <string>
#include <string_view>

typedef struct ssl_ctx_st SSL_CTX;

// A server context presenting `certificatePem` (leaf first, optionally
// followed by its chain) with `keyPem`. Returns nullptr and fills `error`
// when the PEM texts do not load or do not belong together.
SSL_CTX* MakeSampleTlsContext(std::string_view certificatePem, std::string_view keyPem, std::string* error);
