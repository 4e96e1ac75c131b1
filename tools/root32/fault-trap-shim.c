/* fault-trap-shim.so: preloaded into every i386 process of the 32-bit root
   (make-root.sh), where those processes run under QEMU's user mode.

   32-bit Wine turns a fault into a Windows exception by the trap number of
   the signal context. QEMU's user mode leaves that number at -1, so an access
   violation would reach a program as an illegal instruction and an integer
   divide by zero as a floating-point fault: the kit's SEH and hostile-caller
   cases would see the wrong exception. This wraps the SA_SIGINFO handlers a
   program installs for the fault signals and fills the trap number in from
   the signal and its si_code, as the kernel does, before the handler runs.
   Where the number is already there (a real 32-bit processor) it does
   nothing.

   Freestanding: built with the host's gcc -m32 against the root's i386 libc,
   with no i386 headers. */
typedef unsigned int u32;

/* glibc's i386 struct sigaction */
struct i386_sigaction {
    void (*handler)(int, void *, void *);
    u32 mask[32];
    int flags;
    void (*restorer)(void);
};

#define SA_SIGINFO 4
#define SIGNAL_COUNT 65
#define RTLD_NEXT ((void *)-1l)
extern void *dlsym(void *, const char *);

/* x86 trap numbers */
enum {
    TRAP_DIVIDE = 0, TRAP_DEBUG = 1, TRAP_BREAKPOINT = 3, TRAP_OVERFLOW = 4, TRAP_INVALID_OPCODE = 6,
    TRAP_PROTECTION = 13, TRAP_PAGE_FAULT = 14, TRAP_FPU = 16, TRAP_ALIGNMENT = 17
};

enum { SIG_ILL = 4, SIG_TRAP = 5, SIG_BUS = 7, SIG_FPE = 8, SIG_SEGV = 11 };

static void (*program_handler[SIGNAL_COUNT])(int, void *, void *);
static int (*next_sigaction)(int, const struct i386_sigaction *, struct i386_sigaction *);

static int is_fault_signal(int sig)
{
    return sig == SIG_SEGV || sig == SIG_FPE || sig == SIG_ILL || sig == SIG_TRAP || sig == SIG_BUS;
}

static u32 trap_for(int sig, int code)
{
    switch (sig) {
    case SIG_SEGV: return code == 1 || code == 2 ? TRAP_PAGE_FAULT : TRAP_PROTECTION; /* MAPERR, ACCERR */
    case SIG_FPE: return code == 1 ? TRAP_DIVIDE : code == 2 ? TRAP_OVERFLOW : TRAP_FPU; /* INTDIV, INTOVF */
    case SIG_ILL: return TRAP_INVALID_OPCODE;
    case SIG_TRAP: return code == 2 ? TRAP_DEBUG : TRAP_BREAKPOINT;                   /* TRAP_TRACE */
    default: return code == 1 ? TRAP_ALIGNMENT : TRAP_PROTECTION;                     /* BUS_ADRALN */
    }
}

static void fill_trap_number(int sig, void *info, void *context)
{
    int code = ((int *)info)[2];                   /* si_signo, si_errno, si_code */
    u32 *registers = (u32 *)((char *)context + 20); /* after uc_flags, uc_link, uc_stack */
    u32 *trap = &registers[12];                     /* REG_TRAPNO */
    if (*trap == 0xffffffffu)
        *trap = trap_for(sig, code);
    program_handler[sig](sig, info, context);
}

int sigaction(int sig, const struct i386_sigaction *act, struct i386_sigaction *old)
{
    if (!next_sigaction)
        next_sigaction = dlsym(RTLD_NEXT, "sigaction");
    int fault = is_fault_signal(sig);
    void (*before)(int, void *, void *) = fault ? program_handler[sig] : 0;
    int rc;
    if (fault && act && (act->flags & SA_SIGINFO) && (unsigned long)act->handler > 1) {
        struct i386_sigaction wrapped = *act;
        wrapped.handler = fill_trap_number;
        rc = next_sigaction(sig, &wrapped, old);
        if (rc == 0)
            program_handler[sig] = act->handler;
    } else {
        rc = next_sigaction(sig, act, old);
        if (rc == 0 && fault && act)
            program_handler[sig] = 0;
    }
    /* The program sees its own handler, never the wrapper. */
    if (rc == 0 && old && old->handler == fill_trap_number)
        old->handler = before;
    return rc;
}
