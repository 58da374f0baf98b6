// The OPC UA server the browse library's tests talk to, on 127.0.0.1 only.
//
//   node test_server.js PORT WORK_DIR [CERT KEY]
//
// WORK_DIR holds the server's certificate store (made there, thrown away with it). With a
// certificate and its key the server offers Basic256Sha256 Sign and Sign-and-Encrypt
// beside None and accepts any client certificate. Users: "anonymous" and the user name
// "operator" with the password "secret". Prints "READY" on its standard output once it
// listens; ends when its standard input closes, so a test that dies takes it along.
"use strict";
const path = require("path");
const {
  OPCUAServer, OPCUACertificateManager, DataType, Variant, VariantArrayType, SecurityPolicy, MessageSecurityMode, AccessLevelFlag,
} = require("node-opcua");

const [port, workDir, certFile, keyFile] = process.argv.slice(2);

function addressSpace(server) {
  const space = server.engine.addressSpace;
  const ns = space.getOwnNamespace();
  const objects = space.rootFolder.objects;
  const plant = ns.addFolder(objects, { browseName: "Plant", nodeId: "s=Plant" });
  const types = ns.addFolder(plant, { browseName: "Types", nodeId: "s=Types" });
  const scalar = (name, dataType, value, extra) => ns.addVariable(Object.assign({
    componentOf: undefined, organizedBy: types, browseName: name, nodeId: "s=" + name, dataType,
    value: new Variant({ dataType: DataType[dataType], arrayType: VariantArrayType.Scalar, value }),
  }, extra || {}));
  // One read-write variable of every type the converter maps.
  scalar("VBoolean", "Boolean", true);
  scalar("VSByte", "SByte", -5);
  scalar("VByte", "Byte", 200);
  scalar("VInt16", "Int16", -300);
  scalar("VUInt16", "UInt16", 60000);
  scalar("VInt32", "Int32", -70000);
  scalar("VUInt32", "UInt32", 4000000000);
  scalar("VInt64", "Int64", [0, 5]);
  scalar("VUInt64", "UInt64", [0, 6]);
  scalar("VFloat", "Float", 1.5);
  scalar("VDouble", "Double", 2.5);
  scalar("VString", "String", "text");
  scalar("VDateTime", "DateTime", new Date(0));
  scalar("VGuid", "Guid", "72962B91-FA75-4AE6-8D28-B404DC7DAF63");
  scalar("VByteString", "ByteString", Buffer.from("AB"));
  // Access: read only, write only, neither; an array (not offered).
  scalar("ReadOnly", "Double", 1, { accessLevel: AccessLevelFlag.CurrentRead, userAccessLevel: AccessLevelFlag.CurrentRead });
  scalar("WriteOnly", "Double", 1, { accessLevel: AccessLevelFlag.CurrentWrite, userAccessLevel: AccessLevelFlag.CurrentWrite });
  scalar("NoAccess", "Double", 1, { accessLevel: 0, userAccessLevel: 0 });
  ns.addVariable({ organizedBy: types, browseName: "AnArray", nodeId: "s=AnArray", dataType: "Double", valueRank: 1,
    arrayDimensions: [2], value: new Variant({ dataType: DataType.Double, arrayType: VariantArrayType.Array, value: new Float64Array([1, 2]) }) });
  // Identifiers of every kind, and a numeric one above the signed 32-bit range.
  const ids = ns.addFolder(plant, { browseName: "Ids", nodeId: "s=Ids" });
  const idVar = (name, nodeId) => ns.addVariable({ organizedBy: ids, browseName: name, nodeId, dataType: "Int32",
    value: new Variant({ dataType: DataType.Int32, value: 1 }) });
  idVar("BigNumeric", "i=4294967290");
  idVar("GuidId", "g=0123ABCD-0001-0002-0304-05060708090A");
  idVar("Émile", "s=Ünïcode");
  // More variables in one folder than one answer holds.
  const many = ns.addFolder(plant, { browseName: "Many", nodeId: "s=Many" });
  for (let i = 0; i < 1100; ++i)
    ns.addVariable({ organizedBy: many, browseName: "M" + i, nodeId: "i=" + (100000 + i), dataType: "UInt16",
      value: new Variant({ dataType: DataType.UInt16, value: i }) });
  // A loop back up: the walk must not go round it.
  many.addReference({ referenceType: "Organizes", nodeId: plant });
}

async function main() {
  const certificateManager = new OPCUACertificateManager({
    rootFolder: path.join(workDir, "pki"), automaticallyAcceptUnknownCertificate: true,
  });
  await certificateManager.initialize();
  const secure = Boolean(certFile && keyFile);
  const options = {
    port: Number(port), host: "127.0.0.1", hostname: "127.0.0.1", alternateHostname: [],
    serverCertificateManager: certificateManager, userCertificateManager: certificateManager,
    securityPolicies: secure ? [SecurityPolicy.None, SecurityPolicy.Basic256Sha256] : [SecurityPolicy.None],
    securityModes: secure ? [MessageSecurityMode.None, MessageSecurityMode.Sign, MessageSecurityMode.SignAndEncrypt]
                          : [MessageSecurityMode.None],
    allowAnonymous: true,
    userManager: { isValidUser: (user, password) => user === "operator" && password === "secret" },
    serverInfo: { applicationUri: "urn:test:opcua:server" },
  };
  if (secure) {
    options.certificateFile = certFile;
    options.privateKeyFile = keyFile;
  }
  const server = new OPCUAServer(options);
  await server.initialize();
  addressSpace(server);
  await server.start();
  process.stdout.write("READY\n");
  const stop = async () => {
    await server.shutdown(0);
    process.exit(0);
  };
  process.stdin.on("end", stop);
  process.stdin.on("close", stop);
  process.stdin.resume();
}

main().catch((e) => {
  process.stderr.write(String(e && e.stack || e) + "\n");
  process.exit(1);
});
