// lumivaneMisalignedCall (see HostCall.h), for 32-bit Windows: copies the
// arguments onto a stack placed at 4 mod 16, calls, and restores the stack.
// EAX and ST0 pass through untouched, so one body serves both declarations.
//
// uint32 lumivaneMisalignedCall(const void* function, const uint32* arguments, int count)
__asm__(R"(
    .text
    .globl _lumivaneMisalignedCall
    .globl _lumivaneMisalignedFloatCall
    .p2align 4
_lumivaneMisalignedCall:
_lumivaneMisalignedFloatCall:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi          # arguments
    movl 16(%ebp), %ecx          # count
    # The new stack top: below the arguments' room, rounded down to 16, plus 4.
    leal 16(,%ecx,4), %edx
    movl %esp, %edi
    subl %edx, %edi
    andl $-16, %edi
    orl $4, %edi
    movl %edi, %esp
    xorl %edx, %edx
1:  cmpl %ecx, %edx
    jge 2f
    movl (%esi,%edx,4), %eax
    movl %eax, (%esp,%edx,4)
    incl %edx
    jmp 1b
2:  call *8(%ebp)
    leal -8(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebp
    ret
)");
