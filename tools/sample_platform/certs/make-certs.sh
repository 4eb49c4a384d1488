#!/bin/sh
# TEST-ONLY certificates for the sample platform. Regenerates the sample CA and
# the server certificates of the two HTTPS hosts. The private keys are public
# on purpose: never trust sample-ca.pem outside tests and the demo.
set -eu
cd "$(dirname "$0")"
days=7305  # 20 years

openssl ecparam -name prime256v1 -genkey -noout -out sample-ca-key.pem
openssl req -x509 -new -key sample-ca-key.pem -sha256 -days "$days" \
  -subj "/O=Marvane sample platform (TEST ONLY)/CN=Marvane sample CA (TEST ONLY)" \
  -addext "basicConstraints=critical,CA:TRUE" \
  -addext "keyUsage=critical,keyCertSign,cRLSign" \
  -out sample-ca.pem

for host in top.taobao.com suggest.taobao.com; do
  name="sample-server-${host%%.*}"
  openssl ecparam -name prime256v1 -genkey -noout -out "$name-key.pem"
  openssl req -new -key "$name-key.pem" -subj "/O=Marvane sample platform (TEST ONLY)/CN=$host" -out "$name.csr"
  printf 'basicConstraints=critical,CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=serverAuth\nsubjectAltName=DNS:%s\n' \
    "$host" > "$name.ext"
  openssl x509 -req -in "$name.csr" -CA sample-ca.pem -CAkey sample-ca-key.pem -CAcreateserial -sha256 \
    -days "$days" -extfile "$name.ext" -out "$name.pem"
  rm -f "$name.csr" "$name.ext"
done
rm -f sample-ca.srl
