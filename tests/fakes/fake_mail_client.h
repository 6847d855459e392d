#pragma once
// A mail client reached by automation, in memory: it records every mail item it hands out as
// it is filled in, copies attached files out of a FakeFiles as a real client reads them from
// disk, and can be told to fail any one operation.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "platform/automation.h"
#include "platform/failure.h"

namespace torvel::testing {

class FakeMailClient : public Automation {
 public:
  struct Attachment {
    std::string path;
    std::string content;
  };
  struct Mail {
    int application = 0;  // which application object created it, counted from 1
    std::string to, subject, body;
    std::vector<Attachment> attachments;
    bool sent = false;
  };

  explicit FakeMailClient(FakeFiles& files) : files_(files) {}

  // Operation ("Create", "CreateItem", "To", "Subject", "Body", "Attachments", "Add", "Send")
  // -> the failure it throws.
  std::map<std::string, Failure> fail;
  // Makes CreateItem answer with no object at all.
  bool item_missing = false;
  // Only this class is installed; every other creation fails as for an unknown class.
  std::string class_name = "Outlook.Application";
  int create_calls = 0;  // creations of the class asked for, failed or not
  int applications = 0;  // application objects handed out
  std::vector<Mail> mails;

  AutomationRef Create(const std::string& name) override {
    if (name != class_name) {
      throw Failure(static_cast<std::int32_t>(0x800401F3), "Invalid class string: " + name);
    }
    ++create_calls;
    Check("Create");
    return std::make_shared<Application>(*this, ++applications);
  }
  AutomationRef FindRunning(const std::string&) override { return nullptr; }

 private:
  static constexpr long kUnknownName = static_cast<std::int32_t>(0x80020006);

  void Check(const std::string& operation) const {
    auto it = fail.find(operation);
    if (it != fail.end()) throw it->second;
  }
  [[noreturn]] static void Unknown(const std::string& name) {
    throw Failure(kUnknownName, "Unknown name: " + name);
  }
  static std::string Text(const AutoValue& value) {
    const std::string* text = std::get_if<std::string>(&value);
    if (text == nullptr) throw Failure(static_cast<std::int32_t>(0x80020005), "Type mismatch.");
    return *text;
  }

  class Attachments : public AutomationObject {
   public:
    Attachments(FakeMailClient& client, std::size_t mail) : client_(client), mail_(mail) {}
    AutoValue Get(const std::string& name) override { Unknown(name); }
    void Put(const std::string& name, const AutoValue&) override { Unknown(name); }
    AutoValue Call(const std::string& name, const std::vector<AutoValue>& args) override {
      if (name != "Add") Unknown(name);
      client_.Check("Add");
      if (args.size() != 1) throw Failure(static_cast<std::int32_t>(0x8002000E), "Bad count.");
      const std::string path = Text(args[0]);
      auto file = client_.files_.files.find(path);
      if (file == client_.files_.files.end()) {
        throw Failure(static_cast<std::int32_t>(0x80070002), "Cannot find file " + path + ".");
      }
      client_.mails[mail_].attachments.push_back({path, file->second.content});
      return {};
    }

   private:
    FakeMailClient& client_;
    std::size_t mail_;
  };

  class Item : public AutomationObject {
   public:
    Item(FakeMailClient& client, std::size_t mail) : client_(client), mail_(mail) {}
    AutoValue Get(const std::string& name) override {
      if (name != "Attachments") Unknown(name);
      client_.Check(name);
      return AutomationRef(std::make_shared<Attachments>(client_, mail_));
    }
    void Put(const std::string& name, const AutoValue& value) override {
      Mail& mail = client_.mails[mail_];
      std::string* field = name == "To"        ? &mail.to
                           : name == "Subject" ? &mail.subject
                           : name == "Body"    ? &mail.body
                                               : nullptr;
      if (field == nullptr) Unknown(name);
      client_.Check(name);
      *field = Text(value);
    }
    AutoValue Call(const std::string& name, const std::vector<AutoValue>&) override {
      if (name != "Send") Unknown(name);
      client_.Check(name);
      client_.mails[mail_].sent = true;
      return {};
    }

   private:
    FakeMailClient& client_;
    std::size_t mail_;
  };

  class Application : public AutomationObject {
   public:
    Application(FakeMailClient& client, int id) : client_(client), id_(id) {}
    AutoValue Get(const std::string& name) override { Unknown(name); }
    void Put(const std::string& name, const AutoValue&) override { Unknown(name); }
    AutoValue Call(const std::string& name, const std::vector<AutoValue>& args) override {
      if (name != "CreateItem") Unknown(name);
      client_.Check(name);
      const std::int32_t* kind = args.size() == 1 ? std::get_if<std::int32_t>(&args[0]) : nullptr;
      if (kind == nullptr || *kind != 0) {
        throw Failure(static_cast<std::int32_t>(0x80070057), "Not a mail item kind.");
      }
      if (client_.item_missing) return {};
      client_.mails.push_back(Mail{id_, "", "", "", {}, false});
      return AutomationRef(std::make_shared<Item>(client_, client_.mails.size() - 1));
    }

   private:
    FakeMailClient& client_;
    int id_;
  };

  FakeFiles& files_;
};

}  // namespace torvel::testing
